// Compiled on its own with -O3 -march=native -ffast-math (see CMakeLists.txt).
#include "bench/fused_loops.h"

#include <cmath>

namespace tracewell::bench {
namespace {

template <class F>
void loop(const double* xs, double* values, std::size_t n, F f) {
    for (std::size_t i = 0; i < n; ++i) values[i] = f(xs[i]);
}

void e1(const double* xs, double* values, std::size_t n) {
    loop(xs, values, n, [](double x) { return std::sin(x); });
}
void e2(const double* xs, double* values, std::size_t n) {
    loop(xs, values, n, [](double x) { return std::pow(x, 2) + 3 * x - 1; });
}
void e3(const double* xs, double* values, std::size_t n) {
    loop(xs, values, n, [](double x) {
        return std::sqrt(std::fabs(x)) * std::exp(-x * x / 4) + std::log(std::fabs(x) + 1);
    });
}
void e4(const double* xs, double* values, std::size_t n) {
    loop(xs, values, n, [](double x) {
        return (std::sin(x) + std::cos(2 * x)) / (1 + std::pow(x, 2)) -
               std::tan(x / 3) * std::atan(x);
    });
}
void e5(const double* xs, double* values, std::size_t n) {
    loop(xs, values, n,
         [](double x) { return 1 + x * (2 + x * (3 + x * (4 + x * (5 + x * (6 + x * 7))))); });
}

}  // namespace

const FusedLoop kFusedLoops[5] = {e1, e2, e3, e4, e5};

}  // namespace tracewell::bench
