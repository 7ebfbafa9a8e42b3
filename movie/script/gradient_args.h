#pragma once
// The gradient arguments of beginGradientFill and lineGradientStyle: a kind ("linear" or
// "radial"), arrays of colours, alphas (0..100) and ratios (0..255), a placement and,
// optionally, the spread, the interpolation and the focal point.
#include <cstddef>

#include "movie/script/function.h"
#include "movie/value/gradient.h"

namespace movie::script {

class Machine;

// Gradients hold at most this many stops; later array entries are not read.
constexpr size_t kMaxGradientStops = 15;

// Reads the arguments from a.arg(0); false when they make no gradient (an unknown kind,
// no placement, arrays that disagree, a ratio outside 0..255, too many arguments).
bool gradientFromArgs(Machine& m, const CallArgs& a, Gradient& out);

}  // namespace movie::script
