#pragma once
// The x values of the densest plot: x range 50 at the finest precision.

#include <vector>

#include "eval/cache_aligned.h"

namespace tracewell::bench {

// On cache lines, as the engine's own blocks are: both the engine and the loops it is raced
// against read and write whole lines, whatever the heap would have given.
using Doubles = std::vector<double, eval::CacheAligned<double>>;

constexpr float kFinestStep = 0.00008f;
constexpr int kWidestRange = 50;

// From -50 to 50 by the single-precision step, accumulated in single precision: 1,248,379
// samples, where exact steps would give 1,250,001.
const std::vector<float>& densestSingles();
// The same samples as the values the expression sees.
const Doubles& densestXs();

}  // namespace tracewell::bench
