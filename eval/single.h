#pragma once
// A sample's value as the plot draws it: in single precision.

#include <cmath>

#include "evaluator.h"

namespace tracewell::eval {

struct SingleSample {
    float value = 0;
    Failure failure = Failure::None;
};

// Rounds to the nearest single; truth values stay -1 and 0 and the empty value 0. A value
// beyond the single range is an overflow.
inline SingleSample toSingle(Sample s) {
    if (s.failure != Failure::None) return {0, s.failure};
    const float f = static_cast<float>(s.value);
    if (!std::isfinite(f)) return {0, Failure::Overflow};
    return {f, Failure::None};
}

}  // namespace tracewell::eval
