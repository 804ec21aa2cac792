#pragma once
// The limit the engine is measured against: each benchmark formula written as one plain loop
// and compiled with every liberty (-O3 -march=native -ffast-math), so that the compiler fuses
// the whole formula and calls the C library's vector math (libmvec) on full registers.

#include <cstddef>

namespace tracewell::bench {

using FusedLoop = void (*)(const double* xs, double* values, std::size_t n);

// The loops of E1 to E5, in that order.
extern const FusedLoop kFusedLoops[5];

}  // namespace tracewell::bench
