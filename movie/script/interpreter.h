#pragma once
// Runs the actions of an activation.
#include "movie/script/activation.h"
#include "movie/script/machine.h"

namespace movie::script {

struct Interpreter {
  // Runs the activation's whole code; returns what Return returned (else undefined).
  static Value execute(Machine& m, Activation& act);
};

}  // namespace movie::script
