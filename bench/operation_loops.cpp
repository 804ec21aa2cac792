// Compiled on its own with -O3 -march=native -ffast-math (see CMakeLists.txt).
#include "bench/operation_loops.h"

#include <cmath>
#include <cstdint>

namespace tracewell::bench {
namespace {

template <auto f>
void over(const double* xs, double* values, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) values[i] = f(xs[i]);
}

// The whole-number operands as a C programmer would take them, without the range checks.
std::int32_t whole(double v) { return static_cast<std::int32_t>(std::nearbyint(v)); }
double truth(bool b) { return b ? -1.0 : 0.0; }

// clang-format off
const OperationLoop kLoops[] = {
    {"x", &over<[](double x) { return x; }>},
    // The power, with the exponents and bases a formula has most.
    {"x^2", &over<[](double x) { return x * x; }>},
    {"x^3", &over<[](double x) { return std::pow(x, 3.0); }>},
    {"x*x*x", &over<[](double x) { return x * x * x; }>},
    {"x^4", &over<[](double x) { return std::pow(x, 4.0); }>},
    {"x^-1", &over<[](double x) { return std::pow(x, -1.0); }>},
    {"x^-2", &over<[](double x) { return std::pow(x, -2.0); }>},
    {"x^0.5", &over<[](double x) { return std::pow(x, 0.5); }>},
    // The same where every sample has a value: x^0.5 fails on half the range, as sqr(x) does.
    {"abs(x)^0.5", &over<[](double x) { return std::pow(std::fabs(x), 0.5); }>},
    {"x^1.5", &over<[](double x) { return std::pow(x, 1.5); }>},
    {"x^10", &over<[](double x) { return std::pow(x, 10.0); }>},
    {"2^x", &over<[](double x) { return std::pow(2.0, x); }>},
    {"10^x", &over<[](double x) { return std::pow(10.0, x); }>},
    {"abs(x)^x", &over<[](double x) { return std::pow(std::fabs(x), x); }>},
    {"x^x", &over<[](double x) { return std::pow(x, x); }>},
    // The other binary operators.
    {"x*3", &over<[](double x) { return x * 3; }>},
    {"x/3", &over<[](double x) { return x / 3; }>},
    {"3/x", &over<[](double x) { return 3 / x; }>},
    {"x+3", &over<[](double x) { return x + 3; }>},
    {"x-3", &over<[](double x) { return x - 3; }>},
    {"x\\3", &over<[](double x) { return static_cast<double>(whole(x) / 3); }>},
    {"(x)Mod(3)", &over<[](double x) { return static_cast<double>(whole(x) % 3); }>},
    {"x=3", &over<[](double x) { return truth(x == 3); }>},
    {"x<>3", &over<[](double x) { return truth(x != 3); }>},
    {"x<3", &over<[](double x) { return truth(x < 3); }>},
    {"x>3", &over<[](double x) { return truth(x > 3); }>},
    {"x<=3", &over<[](double x) { return truth(x <= 3); }>},
    {"x>=3", &over<[](double x) { return truth(x >= 3); }>},
    {"(x)And(3)", &over<[](double x) { return static_cast<double>(whole(x) & 3); }>},
    {"(x)Or(3)", &over<[](double x) { return static_cast<double>(whole(x) | 3); }>},
    {"(x)Xor(3)", &over<[](double x) { return static_cast<double>(whole(x) ^ 3); }>},
    {"(x)Eqv(3)", &over<[](double x) { return static_cast<double>(~(whole(x) ^ 3)); }>},
    {"(x)Imp(3)", &over<[](double x) { return static_cast<double>(~whole(x) | 3); }>},
    {"(x>1)And(x<2)", &over<[](double x) { return truth(x > 1 && x < 2); }>},
    // The unary operators.
    {"-x", &over<[](double x) { return -x; }>},
    {"Not(x)", &over<[](double x) { return static_cast<double>(~whole(x)); }>},
    // The functions.
    {"sin(x)", &over<[](double x) { return std::sin(x); }>},
    {"cos(x)", &over<[](double x) { return std::cos(x); }>},
    {"tan(x)", &over<[](double x) { return std::tan(x); }>},
    {"atn(x)", &over<[](double x) { return std::atan(x); }>},
    {"log(x)", &over<[](double x) { return std::log(x); }>},
    {"exp(x)", &over<[](double x) { return std::exp(x); }>},
    {"abs(x)", &over<[](double x) { return std::fabs(x); }>},
    {"sqr(x)", &over<[](double x) { return std::sqrt(x); }>},
    {"sgn(x)", &over<[](double x) { return static_cast<double>((x > 0) - (x < 0)); }>},
    {"Int(x)", &over<[](double x) { return std::floor(x); }>},
    {"Fix(x)", &over<[](double x) { return std::trunc(x); }>},
    {"Round(x)", &over<[](double x) { return std::nearbyint(x); }>},
    {"Round(x,2)", &over<[](double x) { return std::nearbyint(x * 100) / 100; }>},
    {"CInt(x)", &over<[](double x) { return std::nearbyint(x); }>},
    {"CLng(x)", &over<[](double x) { return std::nearbyint(x); }>},
    {"CSng(x)", &over<[](double x) { return static_cast<double>(static_cast<float>(x)); }>},
    {"CDbl(x)", &over<[](double x) { return x; }>},
    {"CBool(x)", &over<[](double x) { return truth(x != 0); }>},
};
// clang-format on

}  // namespace

std::span<const OperationLoop> operationLoops() { return kLoops; }

}  // namespace tracewell::bench
