// Samples without a value: their kind, and the error event that each one raises.
#include <cmath>

#include "eval/single.h"
#include "eval_test_support.h"

namespace tracewell::eval {
namespace {

using testing::evalAt;

TEST(Failures, EachKindWhereTheLanguageSaysSo) {
    struct Row {
        const char* text;
        double x;
        Failure expected;
    } rows[] = {
        {"log(0)", 0, Failure::InvalidArgument},
        {"log(x)", -10, Failure::InvalidArgument},
        {"sqr(-1)", 0, Failure::InvalidArgument},
        {"sqr(x-1)", 0.5, Failure::InvalidArgument},
        {"(-8)^(1/3)", 0, Failure::InvalidArgument},
        {"x^0.5", -4, Failure::InvalidArgument},
        {"x^1.5", -2, Failure::InvalidArgument},  // the vector pow of |x|, and its sign
        {"x^x", -0.5, Failure::InvalidArgument},
        {"(-x)^(1/3)", 8, Failure::InvalidArgument},
        {"x^-0.5", -HUGE_VAL, Failure::InvalidArgument},  // pow itself gives 0
        {"Round(2.5, -1)", 0, Failure::InvalidArgument},
        {"1/0", 0, Failure::DivisionByZero},
        {"1/x", 0, Failure::DivisionByZero},
        {"-x/0", 1, Failure::DivisionByZero},
        {"-x/0", 0, Failure::Overflow},
        {"5\\0", 0, Failure::DivisionByZero},
        {"5\\0.4", 0, Failure::DivisionByZero},  // the divisor rounds to 0
        {"5 Mod 0", 0, Failure::DivisionByZero},
        {"0^-1", 0, Failure::DivisionByZero},
        {"x^-2", 0, Failure::DivisionByZero},     // the quotient's form gives way to pow
        {"(-x)^-3", 0, Failure::DivisionByZero},  // -0
        {"x^-0.5", 0, Failure::DivisionByZero},
        {"0/0", 0, Failure::Overflow},
        {"exp(1000)", 0, Failure::Overflow},
        {"Exp(710)", 0, Failure::Overflow},
        {"10^400", 0, Failure::Overflow},
        {"x^3", 6E102, Failure::Overflow},
        {"x^-3", 1E-103, Failure::Overflow},
        {"x^4", -1E78, Failure::Overflow},
        {"2^x", 1024, Failure::Overflow},
        {"(-10)^x", 309, Failure::Overflow},
        {"x^1E10", 1.5, Failure::Overflow},
        {"1E308*10", 0, Failure::Overflow},
        {"1E308+1E308", 0, Failure::Overflow},
        {"-1E308-1E308", 0, Failure::Overflow},
        {"3000000000\\1", 0, Failure::Overflow},
        {"-2147483648\\-1", 0, Failure::Overflow},  // the quotient leaves 32 bits
        {"x\\-1", -2147483648.0, Failure::Overflow},
        {"1 Mod 3E9", 0, Failure::Overflow},
        {"3E9 And 1", 0, Failure::Overflow},
        {"Not 3E9", 0, Failure::Overflow},
        {"CInt(40000)", 0, Failure::Overflow},
        {"CInt(32767.5)", 0, Failure::Overflow},
        {"CLng(3E9)", 0, Failure::Overflow},
        {"CSng(1E39)", 0, Failure::Overflow},
        {"sqr(-x*1E308*10)", 1, Failure::Overflow},  // the product fails first
        {"atn(x*1E308*x) + sqr(x)", -2, Failure::Overflow},
        // The same edges with x, as the sampling loops meet them.
        {"log(x)", -0.0, Failure::InvalidArgument},
        {"log(-x)", 4.9E-324, Failure::InvalidArgument},
        {"log(x)", -HUGE_VAL, Failure::InvalidArgument},
        {"x Mod 0", 5, Failure::DivisionByZero},
        {"5 Mod x", -0.5, Failure::DivisionByZero},
        {"x\\x", 0.4, Failure::DivisionByZero},
        {"x Mod 0", 3E9, Failure::Overflow},  // the operand does not fit before the divisor is 0
        {"x\\-1", -2147483648.4, Failure::Overflow},
        {"x Mod 3", 2147483647.5, Failure::Overflow},
        {"x Mod 3", HUGE_VAL, Failure::Overflow},
        {"x And 1", std::nan(""), Failure::Overflow},
        {"Not x", -2147483648.6, Failure::Overflow},
        {"x Xor 1", 2147483647.5, Failure::Overflow},
        {"CInt(x)", 32767.5, Failure::Overflow},
        {"CInt(x)", -32768.51, Failure::Overflow},
        {"CLng(x)", 2147483647.5, Failure::Overflow},
        {"CLng(x)", -2147483648.51, Failure::Overflow},
        {"CLng(x)", 6755399441055744.0, Failure::Overflow},
        {"CInt(x)", -HUGE_VAL, Failure::Overflow},
    };
    for (const Row& row : rows) {
        const Sample s = evalAt(row.text, row.x);
        EXPECT_EQ(s.failure, row.expected) << row.text << " at x = " << row.x;
        EXPECT_TRUE(std::isnan(s.value)) << row.text;
    }
}

TEST(Failures, NoShortCutsAndTheFirstFailureInOrderCounts) {
    // Both operands are evaluated: a failure on the right is not skipped.
    EXPECT_EQ(evalAt("0 And 1/0").failure, Failure::DivisionByZero);
    EXPECT_EQ(evalAt("log(0) + 1/0").failure, Failure::InvalidArgument);
    EXPECT_EQ(evalAt("1/0 + log(0)").failure, Failure::DivisionByZero);
    // A failure does not turn into a value further up: 1/(1/0) is no 0.
    EXPECT_EQ(evalAt("1/(1/x)", 0).failure, Failure::DivisionByZero);
    EXPECT_EQ(evalAt("atn(exp(x))", 1000).failure, Failure::Overflow);
    EXPECT_EQ(evalAt("(1/x) > 0", 0).failure, Failure::DivisionByZero);
    // An overflow on the left comes first, even where the later failure does not use it.
    EXPECT_EQ(evalAt("(3E9 Xor x) + log(x)", -10).failure, Failure::Overflow);
    EXPECT_EQ(evalAt("exp(x)*2 - sqr(-x)", 800).failure, Failure::Overflow);
    // An x that is not finite fails at the first operation that fails on it: here the sum,
    // though Abs passes infinity on without failing.
    EXPECT_EQ(evalAt("log(-(abs(x)+1))", HUGE_VAL).failure, Failure::Overflow);
}

TEST(Failures, ErrorEventOncePerFailedSample) {
    const CompileResult r = compile("log(x)");
    ASSERT_TRUE(r.ok());
    Evaluator e;
    int events = 0;
    e.setErrorHandler([&] { ++events; });
    e.evaluate(r.program(), -1.0);
    e.evaluate(r.program(), 2.0);
    EXPECT_EQ(events, 1);

    std::vector<double> xs;
    for (int i = -700; i <= 700; ++i) xs.push_back(i / 100.0);  // 701 of them are <= 0
    std::vector<double> values(xs.size());
    std::vector<Failure> failures(xs.size());
    events = 0;
    e.evaluate(r.program(), xs, values, failures);
    EXPECT_EQ(events, 701);
}

TEST(Failures, ConversionToSingle) {
    EXPECT_EQ(toSingle({0.1, Failure::None}).value, 0.1f);
    EXPECT_EQ(toSingle({-1, Failure::None}).value, -1.0f);
    EXPECT_EQ(toSingle({3.4028235e38, Failure::None}).failure, Failure::None);
    EXPECT_EQ(toSingle({1e39, Failure::None}).failure, Failure::Overflow);
    EXPECT_EQ(toSingle({-1e39, Failure::None}).failure, Failure::Overflow);
    EXPECT_EQ(toSingle({1e-50, Failure::None}).value, 0.0f);  // underflow is no failure
    EXPECT_EQ(toSingle({0, Failure::DivisionByZero}).failure, Failure::DivisionByZero);
}

}  // namespace
}  // namespace tracewell::eval
