// The differential check in the ordinary test run: texts written for the sign and literal
// rules, then expressions generated from fixed bytes, each held against the reference.
#include <gtest/gtest.h>

#include <random>

#include "differential.h"
#include "eval/x_text.h"

namespace tracewell::eval::fuzz {
namespace {

// The sign and literal rules, failures, and the shapes that the engine fuses.
// clang-format off
constexpr const char* kWrittenTexts[] = {
    "", "-3^2", "-x^2", "2^-x", "2^--x", "x^-2^2", "+--+-+x", "3--x", "2*-x^2", "-x Mod 3",
    "x\\-2", "&HFFFF&+&hffff+&O17-&o200000", "1.5E+2*.5e1-10.+010", "x Mod 0", "0/0*x", "x/0",
    "0^-x", "(-x)^0.5", "log(x)+sqr(x)", "Round(x*7,-1)", "Round(x,2.5)", "CInt(x*1000)",
    "CLng(x*1E8)", "CSng(x*1E37)", "Not x And 2", "x = x < 0 Imp x Eqv 0 Xor -1 Or 5",
    "exp(x*20)", "x^x", "1+x*(2+x*(3+x*(4+x*(5+x*(6+x*7)))))", "x*(x*(x-1.5)+2)-0.1",
    "0.5+7*x", "(x*x+1)*x-0", "x*(x*(x*1E300+1)+2)+3", "-(x*2+1)^2", "log(x)+(3E9 Xor x)", "52E10^+++02",
    "x^3", "x^4", "x^-1", "x^-3", "(x*1E102)^3", "(x*1E-104)^-3", "2^x", "2^(x*30)", "x^1.5",
    "(-x)^1.5", "(-x)^3", "x^(x*2)", "(x-2.5)^(1/3)", "10^(x*7)", "x^1075", "0^x", "(-8)^(1/3)",
};
// clang-format on

TEST(Differential, WrittenTexts) {
    const std::vector<double> xs = {xValue(-10.0f), 0, xValue(2.5f), xValue(-0.00008f),
                                    xValue(49.99f)};
    for (const char* text : kWrittenTexts) EXPECT_EQ(checkAgainstReference({text, xs}), "");
}

TEST(Differential, GeneratedTexts) {
    std::mt19937 random(20260401);
    for (int i = 0; i < 3000; ++i) {
        std::vector<std::uint8_t> bytes(random() % 160);
        for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(random());
        EXPECT_EQ(checkAgainstReference(generateCase(bytes)), "");
    }
}

}  // namespace
}  // namespace tracewell::eval::fuzz
