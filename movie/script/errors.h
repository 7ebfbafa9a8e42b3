#pragma once
// How scripts leave the normal flow: a value thrown by a script (caught by its
// try/catch), or the machine stopping a script that broke a budget.
#include <stdexcept>
#include <string>

#include "movie/script/value.h"

namespace movie::script {

struct ScriptThrow {
  Value value;
};

class ScriptAbort : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace movie::script
