// Texts a user may paste or a script may generate to break the engine: each gives a clear
// compile error or a defined failure, never a crash, a hang or a wrong value.
#include <cmath>
#include <string>
#include <vector>

#include "eval_test_support.h"

namespace tracewell::eval {
namespace {

using testing::evalAt;

std::string repeat(const std::string& piece, int times) {
    std::string s;
    s.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i) s += piece;
    return s;
}

// "x+x+...+x" with the given number of x.
std::string sumOfX(int terms) { return "x" + repeat("+x", terms - 1); }

const std::string kCyrillicEs = "\xd1\x81";  // two bytes, one character

struct ErrorRow {
    const char* what;
    std::string text;
    int position;
    const char* message;
};

void expectErrors(const std::vector<ErrorRow>& rows) {
    for (const ErrorRow& row : rows) {
        const CompileResult r = compile(row.text);
        ASSERT_FALSE(r.ok()) << row.what;
        EXPECT_EQ(r.error().position, row.position) << row.what;
        EXPECT_EQ(r.error().message, row.message) << row.what;
    }
}

TEST(HostileInputs, TheLengthLimitCountsCharacters) {
    const std::string longest = sumOfX((kMaxTextLength + 1) / 2);
    ASSERT_EQ(longest.size(), static_cast<size_t>(kMaxTextLength));
    EXPECT_EQ(evalAt(longest, 0.5).value, (kMaxTextLength + 1) / 2 * 0.5);
    EXPECT_EQ(compile(std::string(kMaxTextLength, ' ')).program().kind(), ValueKind::Empty);

    expectErrors({
        {"a leading blank over the limit", " " + longest, kMaxTextLength + 1,
         "Expression too long"},
        {"blanks only", std::string(40000, ' '), kMaxTextLength + 1, "Expression too long"},
        // 65,534 bytes but 32,767 characters: within the limit, and not the language's letter.
        {"two-byte letters at the limit", repeat(kCyrillicEs, kMaxTextLength), 1,
         "Invalid character"},
        {"two-byte letters over it", repeat(kCyrillicEs, kMaxTextLength + 1), kMaxTextLength + 1,
         "Expression too long"},
    });
}

TEST(HostileInputs, DeepNestingOfEveryKindIsAnError) {
    const struct {
        const char* what;
        std::string open;
        std::string close;
    } rows[] = {
        {"function calls", "sin(", ")"},        {"negated parentheses", "-(", ")"},
        {"power operands", "2^(", ")"},         {"Not", "Not (", ")"},
        {"second arguments", "round(x, ", ")"}, {"unclosed parentheses", "(", ""},
    };
    for (const auto& row : rows) {
        // As deep as the length limit lets the text go: thousands of levels.
        const int depth =
            (kMaxTextLength - 1) / static_cast<int>(row.open.size() + row.close.size());
        const std::string text = repeat(row.open, depth) + "x" + repeat(row.close, depth);
        const CompileResult r = compile(text);
        ASSERT_FALSE(r.ok()) << row.what;
        EXPECT_EQ(r.error().message, "Expression nested too deeply") << row.what;
        EXPECT_LE(r.error().position, static_cast<int>(text.size())) << row.what;
    }
}

TEST(HostileInputs, DeepButAllowedNestingEvaluatesInBothPaths) {
    // Every level keeps its x*x on the stack while the rest is worked out: a register stack
    // as deep as the nesting limit allows.
    const int levels = kMaxNesting / 3;
    const std::string text = repeat("x*x+(", levels) + "x" + std::string(levels, ')');
    const CompileResult r = compile(text);
    ASSERT_TRUE(r.ok()) << r.error().message;
    EXPECT_GE(r.program().stackDepth(), levels);

    std::vector<double> xs;
    for (int i = -500; i <= 500; ++i) xs.push_back(i * 0.25);
    std::vector<double> values(xs.size());
    std::vector<Failure> failures(xs.size());
    Evaluator e;
    e.evaluate(r.program(), xs, values, failures);
    for (size_t i = 0; i < xs.size(); ++i) {
        ASSERT_EQ(failures[i], Failure::None) << xs[i];
        ASSERT_EQ(values[i], levels * xs[i] * xs[i] + xs[i]) << xs[i];
    }
    EXPECT_EQ(e.evaluate(r.program(), -3).value, levels * 9 - 3);
}

TEST(HostileInputs, LiteralsBeyondADouble) {
    const std::string zeros(400, '0');
    expectErrors({
        {"an exponent of 20 digits", "1E99999999999999999999", 1, "Invalid number"},
        {"401 digits", "1" + zeros, 1, "Invalid number"},
        {"32,767 nines", std::string(kMaxTextLength, '9'), 1, "Invalid number"},
        {"just past the largest double", "x+1.7976931348623159E308", 3, "Invalid number"},
        {"nine hex digits, leading zeros too", "&H00000000F", 1, "Invalid number"},
    });
    const struct {
        std::string text;
        double value;
    } rows[] = {
        {"1E-99999999999999999999", 0},
        {"0E99999999999999999999", 0},
        {"0." + zeros + "1", 0},  // underflows without error
        {"." + zeros + "1E400", 0.1},
        {"1" + zeros + "E-400", 1},
        {zeros + "7", 7},
        {"1.7976931348623157E308", 1.7976931348623157e308},
        {"4.9E-324", 4.9e-324},
    };
    for (const auto& row : rows) EXPECT_EQ(evalAt(row.text).value, row.value) << row.text;
}

TEST(HostileInputs, FailuresOfConstantPartsHitEverySample) {
    const struct {
        const char* text;
        Failure failure;
    } rows[] = {
        {"0/0", Failure::Overflow},
        {"x + 0/0", Failure::Overflow},
        {"exp(1000)", Failure::Overflow},
        {"CInt(40000) * x", Failure::Overflow},
        {"(-8)^(1/3)", Failure::InvalidArgument},
        {"log(0)", Failure::InvalidArgument},
        {"sqr(-1) - x", Failure::InvalidArgument},
        {"x\\0", Failure::DivisionByZero},
    };
    std::vector<double> xs;
    for (int i = -500; i <= 500; ++i) xs.push_back(i * 0.1);  // four blocks, x = 0 among them
    std::vector<double> values(xs.size());
    std::vector<Failure> failures(xs.size());
    for (const auto& row : rows) {
        const CompileResult r = compile(row.text);
        ASSERT_TRUE(r.ok()) << row.text;
        Evaluator e;
        int events = 0;
        e.setErrorHandler([&] { ++events; });
        e.evaluate(r.program(), xs, values, failures);
        for (size_t i = 0; i < xs.size(); ++i) {
            ASSERT_EQ(failures[i], row.failure) << row.text << " at x = " << xs[i];
            ASSERT_TRUE(std::isnan(values[i])) << row.text << " at x = " << xs[i];
        }
        EXPECT_EQ(events, static_cast<int>(xs.size())) << row.text;
    }
}

TEST(HostileInputs, ComparisonChainsReadLeftToRight) {
    // Each comparison gives -1 or 0, which the next one compares: a range test written as
    // in mathematics does not test a range.
    const struct {
        const char* text;
        double x;
        double value;
    } rows[] = {
        {"1 < 2 < 3", 0, -1},   // (-1) < 3
        {"3 > 2 > 1", 0, 0},    // (-1) > 1
        {"1 = 1 = 1", 0, 0},    // (-1) = 1
        {"1 < 2 = -1", 0, -1},  // (-1) = -1
        {"0 < x < 1", 5, -1},   // true outside the range
        {"0 < x < 1", -5, -1},  // (0) < 1: below it too
        {"2 >= x >= 1", 0, 0},  // (-1) >= 1
    };
    for (const auto& row : rows) {
        const Sample s = evalAt(row.text, row.x);
        EXPECT_EQ(s.failure, Failure::None) << row.text;
        EXPECT_EQ(s.value, row.value) << row.text << " at x = " << row.x;
        EXPECT_EQ(compile(row.text).program().kind(), ValueKind::Truth) << row.text;
    }
}

TEST(HostileInputs, PastedControlAndForeignCharacters) {
    expectErrors({
        {"a NUL first", std::string("\0", 1), 1, "Invalid character"},
        {"a NUL last", std::string("sin(x)\0", 7), 7, "Invalid character"},
        {"a line break", "x\r\n", 2, "Invalid character"},
        {"DEL", "x\x7f", 2, "Invalid character"},
        {"a byte that is no UTF-8", "\xff", 1, "Invalid character"},
        {"a stray continuation byte", "x+\x80", 3, "Invalid character"},
        {"a byte order mark", "\xef\xbb\xbfx", 1, "Invalid character"},
        {"a no-break space", "1\xc2\xa0+ 2", 2, "Invalid character"},
        {"a typographic minus",
         "x\xe2\x88\x92"
         "1",
         2, "Invalid character"},
        {"a full-width digit", "2*\xef\xbc\x91", 3, "Invalid character"},
    });
}

}  // namespace
}  // namespace tracewell::eval
