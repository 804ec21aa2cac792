#pragma once
// The x values of the densest plot: x range 50 at the finest precision.

#include <vector>

namespace tracewell::bench {

constexpr float kFinestStep = 0.00008f;
constexpr int kWidestRange = 50;

// From -50 to 50 by the single-precision step, accumulated in single precision: 1,248,379
// samples, where exact steps would give 1,250,001.
const std::vector<float>& densestSingles();
// The same samples as the values the expression sees.
const std::vector<double>& densestXs();

}  // namespace tracewell::bench
