// Texts that cannot be read: where and why, and that every text is handled without harm.
#include <random>
#include <string>

#include "eval_test_support.h"

namespace tracewell::eval {
namespace {

TEST(CompileErrors, PositionAndMessage) {
    struct Row {
        std::string text;
        int position;
        const char* message;
    } rows[] = {
        {"sin(x", 6, "Expected ')'"},
        {"(1+2", 5, "Expected ')'"},
        {"ep(x)", 1, "Unknown function 'ep'"},
        {"1+X", 3, "Unknown name 'X'"},
        {"pi", 1, "Unknown name 'pi'"},
        {"x(2)", 1, "Unknown function 'x'"},
        {"1 +", 4, "Expected expression"},
        {"*2", 1, "Expected expression"},
        {"()", 2, "Expected expression"},
        {"1 2", 3, "Syntax error"},
        {"2x", 2, "Syntax error"},
        {"1)", 2, "Syntax error"},
        {"sin x", 5, "Expected '('"},
        {"sin()", 1, "Wrong number of arguments: 'sin'"},
        {"SIN(1, 2)", 1, "Wrong number of arguments: 'SIN'"},
        {"round(1, 2, 3)", 1, "Wrong number of arguments: 'round'"},
        {"1 $ 2", 3, "Invalid character"},
        {"x;", 2, "Invalid character"},
        {std::string("x\0", 2), 2, "Invalid character"},
        {"1E400", 1, "Invalid number"},
        {"2*1e309", 3, "Invalid number"},
        {"&H", 1, "Invalid number"},
        {"&HFFFFFFFFF", 1, "Invalid number"},
        {"&O77777777777", 1, "Invalid number"},
        {"\"a\"", 1, "Strings are not supported"},
        {"1 & 2", 3, "String concatenation is not supported"},
        {"2^Not 1", 3, "Expected expression"},
        {"x Not 1", 3, "Syntax error"},
        {"\xd1\x81os(x)", 1, "Invalid character"},  // a Cyrillic letter
        {"1+\xd1\x81", 3, "Invalid character"},     // positions count characters
    };
    for (const Row& row : rows) {
        const CompileResult r = compile(row.text);
        ASSERT_FALSE(r.ok()) << row.text;
        EXPECT_EQ(r.error().position, row.position) << row.text;
        EXPECT_EQ(r.error().message, row.message) << row.text;
    }
}

TEST(CompileErrors, LongTextsCompileUpToTheLimit) {
    std::string sum = "x";
    while (sum.size() + 2 <= kMaxTextLength) sum += "+1";
    ASSERT_LE(sum.size(), static_cast<size_t>(kMaxTextLength));
    const CompileResult r = compile(sum);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(testing::evalAt(sum, 0.5).value, 0.5 + (sum.size() - 1) / 2);

    const std::string signs = std::string(kMaxTextLength - 1, '-') + "1";
    EXPECT_TRUE(compile(signs).ok());

    const CompileResult tooLong = compile(std::string(kMaxTextLength + 1, '1'));
    ASSERT_FALSE(tooLong.ok());
    EXPECT_EQ(tooLong.error().message, "Expression too long");
}

TEST(CompileErrors, DeepNestingIsAnErrorNotACrash) {
    const std::string deep = std::string(10000, '(') + "x" + std::string(10000, ')');
    const CompileResult r = compile(deep);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().message, "Expression nested too deeply");

    std::string nots;
    for (int i = 0; i < 5000; ++i) nots += "Not ";
    EXPECT_FALSE(compile(nots + "1").ok());

    const std::string fine = std::string(100, '(') + "x" + std::string(100, ')');
    EXPECT_TRUE(compile(fine).ok());
}

TEST(CompileErrors, RandomTextsNeverHarm) {
    const std::string alphabet = "x0123456789.E+-*/\\^()=<>, &HOModNotAndsinlgqr\t\"$\xd1";
    std::mt19937 rng(7);
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int length = static_cast<int>(rng() % 24);
        for (int j = 0; j < length; ++j) text += alphabet[rng() % alphabet.size()];
        const CompileResult r = compile(text);
        if (!r.ok()) {
            EXPECT_GE(r.error().position, 1) << text;
            EXPECT_LE(r.error().position, static_cast<int>(text.size()) + 1) << text;
            continue;
        }
        const Sample s = testing::evalAt(text, 0.5);
        if (s.failure == Failure::None) {
            EXPECT_TRUE(std::isfinite(s.value)) << text;
        }
    }
}

}  // namespace
}  // namespace tracewell::eval
