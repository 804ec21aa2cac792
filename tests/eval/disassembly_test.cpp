// What texts compile to: the rewrites the optimiser is said to make, and the code as written
// when it is switched off.
#include <gtest/gtest.h>

#include "eval/compiler.h"
#include "eval/disassemble.h"

namespace tracewell::eval {
namespace {

TEST(Disassembly, TheOptimisersRewrites) {
    const struct {
        const char* text;
        bool optimise;
        const char* code;
    } rows[] = {
        // Two passes: a square, and a term in x with the constant joined to its pass.
        {"x^2+3*x-1", true, "0 * Square x\n1 * AddXTimes stack + x*3, then + -1\n"},
        {"x^2+3*x-1", false,
         "0 * PushX\n1 * PushConst 2\n2 * Pow stack, stack\n3 * PushConst 3\n4 * PushX\n"
         "5 * Mul stack, stack\n6 * Add stack, stack\n7 * PushConst 1\n8 * Sub stack, stack\n"},
        // A Horner run is one pass.
        {"1+x*(2+x*(3+x*4))", true,
         "0 * PushConst 4, run 3\n1   MulXAdd x*stack + 3\n2   MulXAdd x*stack + 2\n"
         "3   MulXAdd x*stack + 1\n"},
        {"-sin(x)*3", true, "0 * Sin x\n1 * Mul stack, -3\n"},
        {"x/-4", true, "0 * Mul x, -0.25\n"},
        {"x/3", true, "0 * Div x, 3\n"},
        {"x/2+1", true, "0 * PushConst 0.5, run 1\n1   MulXAdd x*stack + 1\n"},
        {"(-x)*x/8+1", true, "0 * Square x, then * -0.125\n1 * Add stack, 1\n"},
        {"x - (1+2)*sqr(4)", true, "0 * Sub x, 6\n"},
        {"1/0+x", true, "0 * PushConst 1\n1 * Div stack, 0\n2 * Add stack, x\n"},
    };
    for (const auto& row : rows) {
        const CompileResult r = compile(row.text, {.optimise = row.optimise});
        ASSERT_TRUE(r.ok()) << row.text;
        EXPECT_EQ(disassemble(r.program()), row.code) << row.text;
    }
}

}  // namespace
}  // namespace tracewell::eval
