// The expression language: every operator at its level, literals, functions, truth values.
#include <cmath>
#include <string>

#include "eval_test_support.h"

namespace tracewell::eval {
namespace {

using testing::evalAt;

struct Row {
    const char* text;
    double expected;
    double x = 0;
};

// Transcendental functions come from vector math, within 4 units in the last place of the
// C library's scalar functions; everything else is exact, the sign of a zero included.
enum class Match { Exact, WithinFourUlps };

void expectRows(const std::vector<Row>& rows, Match match = Match::Exact) {
    for (const Row& row : rows) {
        const Sample s = evalAt(row.text, row.x);
        EXPECT_EQ(s.failure, Failure::None) << row.text;
        if (match == Match::Exact) {
            EXPECT_TRUE(testing::sameBits(s.value, row.expected))
                << row.text << " at x = " << row.x << ": " << s.value << ", not " << row.expected;
        } else {
            EXPECT_DOUBLE_EQ(s.value, row.expected) << row.text << " at x = " << row.x;
        }
    }
}

TEST(Language, PrecedenceAndAssociativity) {
    // clang-format off
    expectRows({
        {"1+2*3", 7},
        {"(1+2)*3", 9},
        {"2^3^2", 64},           // ^ is left-associative
        {"-3^2", -9},            // power binds before negation
        {"-x^2", -9, 3},
        {"-x^2", -9, -3},        // x is a value, not text: its sign stays inside
        {"2^-2", 0.25},          // the right operand of ^ may carry signs
        {"2^--2", 4},
        {"2^-x", 0.125, 3},
        {"--1", 1},
        {"+--+-+1", -1},
        {"2*-3", -6},
        {"3--2", 5},
        {"2*-3^2", -18},
        {"10-4-3", 3},
        {"100/10/5", 2},
        {"7\\2*3", 1},           // * binds before \: 7 \ 6
        {"7 Mod 4\\2", 1},       // \ binds before Mod: 7 Mod 2
        {"1+7 Mod 4", 4},        // Mod binds before +
        {"1+2 = 3", -1},         // + binds before =
        {"1 = 1 < 0", -1},       // comparisons chain left to right: (-1) < 0
        {"Not 1 = 2", -1},       // Not binds after comparison: Not (False)
        {"Not 0 And 2", 2},
        {"1 Or 2 And 0", 1},     // And before Or
        {"1 Xor 3 Or 4", 6},     // Or before Xor: 1 Xor 7
        {"0 Eqv 0 Xor -1", 0},   // Xor before Eqv: 0 Eqv -1
        {"0 Imp 0 Eqv -1", -1},  // Eqv before Imp: 0 Imp 0
        {"abs(x)*3-x*3", 0, 0.1},   // the same rounded product on both sides
        {"abs(x)*3-3*x", 0, 0.1},
        {"abs(x)*3+x*-3", 0, 0.1},
        {"sqr(x)*2+x*3", 16, 4},
        {"sqr(x)*2-x*3", -8, 4},
        {"-x*x/4", -4, 4},       // a negation moved into a constant keeps its sign
        {"-x*3", -12, 4},
        {"-(x+1)/-2", 2.5, 4},
        {"-x*x", -16, -4},
        {"x^2-1", 8, 3},         // a constant taken from a result in the same pass
        {"1-x^2", -8, 3},        // and a result taken from a constant
        {"2*abs(x)", 6, -3},
        {"1+-x", -2, 3},
        {"x^2*3+1", 28, 3},      // one constant joins the pass, the next has one of its own
        {"x^2+3*x-1", 9, 2},
        // Powers: the forms of small whole exponents, of 1/2 and of a base of 2.
        {"(-2)^3", -8},          {"x^3", -0.0, -0.0},  {"x^0.5", 0, -0.0},  // pow's zeros
        {"x^-3", -0.125, -2},    {"(-2)^-2", 0.25},    {"x^4", 16, -2},
        {"x^-1", -0.25, -4},     {"0^0", 1},           {"x^0", 1, -7.5},
        {"x^0.5", 3, 9},         {"2^x", 1024, 10},    {"2^x", 0.125, -3},
        {"2^x", 0x1p-1074, -1074}, {"x^2^0.5", 2, 2},  {"(-2)^(2^2+1)", -32},
    });
    // clang-format on
}

TEST(Language, Literals) {
    // clang-format off
    expectRows({
        {"10", 10},       {"010", 10},       {"1.5", 1.5},        {".5", 0.5},
        {"10.", 10},      {"1E3", 1000},     {"1e-3", 0.001},     {"1.5E+2", 150},
        {".5e1", 5},      {"1E-400", 0},     {"&H1F", 31},        {"&h1f", 31},
        {"&HFFFF", -1},   {"&H8000", -32768}, {"&H7FFF", 32767},  {"&H10000", 65536},
        {"&HFFFFFFFF", -1}, {"&HFFFF&", 65535}, {"&O17", 15},     {"&O177777", -1},
        {"&O200000", 65536}, {"123456789012345678901234567890", 1.2345678901234568e29},
        {"  7\t", 7},     {"True", -1},      {"FALSE", 0},        {"x", 2.5, 2.5},
    });
    // clang-format on
}

TEST(Language, Functions) {
    const double x = 0.7;
    // clang-format off
    expectRows({
        {"sin(x)", std::sin(x), x},   {"COS(x)", std::cos(x), x}, {"Tan (x)", std::tan(x), x},
        {"atn(x)", std::atan(x), x},  {"log(x)", std::log(x), x}, {"exp(x)", std::exp(x), x},
        {"abs(-2.5)", 2.5},           {"sqr(16)", 4},             {"Sgn(-3)", -1},
        {"Sgn(0)", 0},                {"Sgn(0.1)", 1},            {"Int(-8.4)", -9},
        {"Fix(-8.4)", -8},            {"Int(8.7)", 8},            {"Round(2.5)", 2},
        {"Round(3.5)", 4},            {"Round(-2.5)", -2},        {"Round(1.2345, 2)", 1.23},
        {"Round(12.5, 0)", 12},       {"CInt(2.5)", 2},           {"CInt(-32768.4)", -32768},
        {"CLng(3.5)", 4},             {"CLng(2147483647)", 2147483647},
        {"CSng(0.1)", static_cast<double>(0.1f)},                 {"CDbl(7)", 7},
        {"CBool(5)", -1},             {"CBool(0)", 0},            {"sin(cos(x))", std::sin(std::cos(x)), x},
        {"log(x)", std::log(4.9E-324), 4.9E-324},                 {"log(x)", std::log(2.2E-308), 2.2E-308},
    }, Match::WithinFourUlps);
    // Rounding of x as it runs, -0 and the ends of each width included.
    expectRows({
        {"Round(x)", -0.0, -0.5},     {"Round(x)", 4, 3.5},       {"Round(x)", -0.0, -0.0},
        {"Round(x)", 4503599627370496.0, 4503599627370495.5},     {"Int(x)", -0.0, -0.0},
        {"Int(x)", -1, -0.2},         {"Int(x)", 0, 0.7},         {"Fix(x)", -0.0, -0.7},
        {"Int(x)", -4503599627370496.0, -4503599627370495.5},     {"Fix(x)", 4503599627370495.0, 4503599627370495.5},
        {"Int(x)", 9007199254740993.0 * 2, 9007199254740993.0 * 2},
        {"CInt(x)", 0, -0.5},         {"CInt(x)", 32767, 32767.49}, {"CInt(x)", -32768, -32768.5},
        {"CLng(x)", -2147483648.0, -2147483648.5},                {"CLng(x)", 2147483646, 2147483646.5},
        {"CLng(x)", 0, -0.0},
    });
    // clang-format on
}

TEST(Language, DivisionByAConstantGivesTheQuotientsBits) {
    // Powers of two (any sign, tiny or huge) and others; quotients that round, and tiny ones.
    for (const char* k : {"4", "-0.125", "2^-1000", "2^1000", "3", "0.1", "10"}) {
        const double divisor = evalAt(k, 0).value;
        for (double x : {0.1, 0.7, 1.1, -3.3, 1E300, 3E-308, 1.5E-323}) {
            const std::string text = std::string("x/(") + k + ")";
            const double expected = x / divisor;
            if (!std::isfinite(expected)) continue;  // an overflow
            EXPECT_EQ(evalAt(text, x).value, expected) << text << " at x = " << x;
        }
    }
}

TEST(Language, IntegerDivisionModAndLogic) {
    // clang-format off
    expectRows({
        {"4.6\\1.5", 2},        {"-7\\2", -3},         {"7\\-2", -3},
        {"2.5\\1", 2},          {"3.5\\1", 4},         {"19 Mod 6.7", 5},
        {"-7 Mod 3", -1},       {"7 Mod -3", 1},       {"3 And 5", 1},
        {"3 Or 5", 7},          {"3 Xor 5", 6},        {"Not 0", -1},
        {"Not 1.5", -3},        {"Not True", 0},       {"-1 Eqv 0", 0},
        {"5 Eqv 3", -7},        {"0 Imp 0", -1},       {"-1 Imp 0", 0},
        {"True And False", 0},  {"x > 1 And x < 3", -1, 2},
        {"-2147483648 Mod -1", 0}, {"2147483647 Mod -2147483648", 2147483647},
        {"-2147483648 Or 0", -2147483648.0},  {"Not -2147483648", 2147483647},
        {"2147483647 Xor -2147483648", -1},   {"-2147483647\\-1", 2147483647},
        {"32767+1", 32768},     {"2147483647+1", 2147483648.0},
        // With x, as the sampling loops run them; every zero is the integers' 0.
        {"x Mod 3", -1, -7},    {"x Mod -3", 1, 7},    {"x Mod 3", -2, -2.5},
        {"x Mod 3", 1, 3.5},    {"x Mod 3", 0, -6},    {"x Mod -3", 0, -0.4},
        {"x\\3", 0, -1},       {"x\\-3", 0, 1},      {"x\\7", -306783378, -2147483648.0},
        {"x Mod 2147483647", -1, -2147483648.0},      {"x Mod -2147483648", 2147483647, 2147483647},
        {"7 Mod x", 1, -2.5},   {"x Mod 0.6", 0, 5},   {"x\\x", 1, -2147483648.0},
        {"x And -1", -2, -2.5}, {"x Or 0", 2, 2.5},    {"x Xor -1", -4, 3},
        {"Not x", -1, -0.0},    {"Not x", 2147483647, -2147483648.5}, {"x Eqv 0", -1, 0.4},
        {"x Imp -3", -3, -1},   {"x Imp 0", -6, 5},    {"x Or 1", 2147483647, 2147483646.5},
        {"x And 0", 0, -5},     {"x Eqv x", -1, -1.5}, {"(x < 0) Imp x", -1, 0.3},
    });
    // clang-format on
}

TEST(Language, ComparisonsGiveTruthValues) {
    // clang-format off
    expectRows({
        {"1 = 1", -1}, {"1 <> 1", 0}, {"1 < 2", -1}, {"1 > 2", 0},
        {"2 <= 2", -1}, {"1 >= 2", 0}, {"x = 3", -1, 3}, {"(x > 0) * 2", -2, 1},
    });
    // clang-format on
    EXPECT_EQ(compile("1 < 2").program().kind(), ValueKind::Truth);
    EXPECT_EQ(compile("True Or False").program().kind(), ValueKind::Truth);
    EXPECT_EQ(compile("CBool(x)").program().kind(), ValueKind::Truth);
    EXPECT_EQ(compile("1 Or True").program().kind(), ValueKind::Number);
    EXPECT_EQ(compile("-(1 < 2)").program().kind(), ValueKind::Number);
}

TEST(Language, EmptyTextIsTheEmptyValueReadAsZero) {
    for (const char* text : {"", "   "}) {
        const CompileResult r = compile(text);
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(r.program().kind(), ValueKind::Empty);
        Evaluator e;
        for (double x : {-5.0, 0.0, 3.25}) EXPECT_EQ(e.evaluate(r.program(), x).value, 0);
    }
}

TEST(Language, OnlyTheLowerCaseNameXIsTheVariable) {
    expectRows({{"x*x", 6.25, 2.5}, {"exp(x)", std::exp(1.5), 1.5}, {"x+x", 3, 1.5}},
               Match::WithinFourUlps);
    EXPECT_FALSE(compile("X").ok());
    EXPECT_FALSE(compile("xx").ok());
    EXPECT_FALSE(compile("x1").ok());
}

}  // namespace
}  // namespace tracewell::eval
