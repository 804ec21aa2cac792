// What a refusal says to type instead, and that the README's table is the table the messages
// use.
#include "eval/hints.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace tracewell::eval {
namespace {

std::string hintOf(const std::string& text) {
    const CompileResult r = compile(text);
    return r.ok() ? "(compiles)" : hintFor(text, r.error());
}

TEST(Hints, TextsFromElsewhereGetWhatToWrite) {
    const struct {
        const char* text;
        const char* hint;
    } rows[] = {
        {"sqrt(x)", "the square root is Sqr(x)"},
        {"SQRT(x)", "the square root is Sqr(x)"},
        {"1+ln(x)", "the natural logarithm is Log(x)"},
        {"log10(x)", "the common logarithm is Log(x)/Log(10)"},
        {"Lg(x)", "the common logarithm is Log(x)/Log(10)"},
        {"pi*x", "pi is 4*Atn(1)"},
        {"e^x", "e is Exp(1), and e^x is Exp(x)"},
        {"tg(x)", "the tangent is Tan(x)"},
        {"cot(x)", "the cotangent is 1/Tan(x)"},
        {"arctan(x)", "the arctangent is Atn(x)"},
        {"asin(x)", "the arcsine is Atn(x/Sqr(1-x^2))"},
        {"arccos(x)", "the arccosine is 2*Atn(1)-Atn(x/Sqr(1-x^2))"},
        {"cosh(x)", "the hyperbolic cosine is (Exp(x)+Exp(-x))/2"},
        {"ceil(x)", "rounding up is -Int(-x)"},
        {"pow(x,2)", "a power is a^b"},
        {"mod(x,3)", "the remainder is (a)Mod(b)"},
        {"x+X", "the variable is the lower-case x"},
        {"2x", "write 2*x"},
        {"1+2sin(x)", "write 2*sin(x)"},
        {"(x+1)(x-1)", "write (x+1)*(x-1)"},
        {"x(x+1)", "write x*(x+1)"},
        {"sin(3.5x)", "write 3.5*x"},
        {"2(x", "write 2*(x"},
        {"(x+1+x+1+x+1+x+1)(x+1+x+1+x+1+x+1)", "write * between factors, as in 2*x"},
        {"|x|", "the absolute value is Abs(x)"},
        {"1,5*x", "the decimal separator is a point: write 1.5"},
        {"sin(12,25)", "the decimal separator is a point: write 12.25"},
        {"x\xc2\xb2", "a square is x^2"},
        {"2\xc3\x97x", "the multiplication sign is *"},
        {"1\xc3\xb7x", "the division sign is /"},
        {"\xe2\x88\x92x", "the minus sign is -"},
        // No hint where none fits.
        {"ep(x)", ""},
        {"2Mod3", ""},
        {"sin(x", ""},
        {"x,1", ""},
        {"1 $ 2", ""},
    };
    for (const auto& row : rows) EXPECT_EQ(hintOf(row.text), row.hint) << row.text;
}

TEST(Hints, AnUnknownNameIsBlamedWhole) {
    EXPECT_EQ(compile("1+sqrt(x)").error().length, 4);
    EXPECT_EQ(compile("pi").error().length, 2);
    EXPECT_EQ(compile("1+)").error().length, 1);
}

// The README's "coming from another plotter" table lists every row of both tables.
TEST(Hints, TheReadmeShowsTheTable) {
    std::ifstream file(TRACEWELL_README);
    ASSERT_TRUE(file) << TRACEWELL_README;
    std::stringstream readme;
    readme << file.rdbuf();
    const auto code = [](std::string_view s) {
        std::string out = "`";
        for (char c : s) out += c == '|' ? std::string("\\|") : std::string(1, c);
        return out + "`";
    };
    for (auto table : {nameEquivalents(), characterEquivalents()}) {
        for (const Equivalent& row : table) {
            std::string names;
            for (std::size_t at = 0; at < row.elsewhere.size();) {
                const std::size_t blank =
                    std::min(row.elsewhere.find(' ', at), row.elsewhere.size());
                names += (names.empty() ? "" : ", ") + code(row.elsewhere.substr(at, blank - at));
                at = blank + 1;
            }
            const std::string line = "| " + names + " | " + code(row.here) + " |";
            EXPECT_NE(readme.str().find(line), std::string::npos) << line;
        }
    }
}

}  // namespace
}  // namespace tracewell::eval
