// The two evaluation paths (whole blocks, and one sample at a time) agree bit for bit, with
// the optimiser's rewrites and without.
#include <cmath>
#include <vector>

#include "eval_test_support.h"
#include "support/same_bits.h"

namespace tracewell::eval {
namespace {

using tracewell::testing::sameBits;

const char* const kExpressions[] = {
    "sin(x)",
    "x^2+3*x-1",
    "sqr(abs(x))*exp(-x*x/4)+log(abs(x)+1)",
    "(sin(x)+cos(2*x))/(1+x^2)-tan(x/3)*atn(x)",
    "1+x*(2+x*(3+x*(4+x*(5+x*(6+x*7)))))",
    "log(x)",  // fails on half the range
    "sqr(x-1)",
    "1/x",
    "1/(1/x)",
    "x\\0.7 + x Mod 3",
    "(x > 1) And (x < 3) Or Not x",
    "Round(x, 2) + CInt(x*100) + Int(x) - Fix(x) + Sgn(x)",
    // Halves (every sample of Int(x*400)/2), and the ends of 16 and 32 bits within the range.
    "Int(x*400)/2 Mod 3 + Int(x*400)/2 \\ -3 + (Int(x*400)/2 Xor -5) + (Int(x*400)/2 Imp x)",
    "CInt(Int(x*400)/2 + 31305) + CLng(Int(x*400)/2 * 2097152) + Round(Int(x*400)/2)",
    "Int(-x*400)/2 Mod x + CInt(-x*4483) + Not Int(x*400)/2 + Round(-x) - Int(-x) + Fix(-x)",
    "2^x - x^x",                // negative bases with fractional exponents fail
    "exp(x*100)",               // overflows at the right end
    "atn(x*1E308*x) + sqr(x)",  // an overflow hidden by Atn comes first
    "sqr(-x*1E308*10)",         // an overflow, not the root of a negative
    "atn(exp(x*200))",          // hidden in a block after blocks with no failure
    "exp(-exp(x*200))",
    "7",
    "-x",
    "x - 2 - x",
    "1+x*(2+x*(3+x*(4+x*(5+x*(6+x*7)))))",
    "x*(x*(x*1E307+1)+2)+3",
    "(1+x*(2+x*3))/x",     // work after a run of steps from a constant
    "(sin(x)*x+2)*x+1-x",  // and after a run from a computed value
    "x*1E307 + 1E308",     // finite values whose sum over a block overflows
    "",
};

TEST(Batch, AgreesWithOneSampleAtATime) {
    std::vector<double> xs;
    for (int i = -1000; i <= 1000; ++i) xs.push_back(i * 0.00731);
    // x values that are not finite, in the last block.
    for (double x : {0.0, HUGE_VAL, -HUGE_VAL, std::nan("")}) xs.push_back(x);
    std::vector<double> values(xs.size());
    std::vector<Failure> failures(xs.size());
    for (const char* text : kExpressions) {
        std::vector<double> optimisedValues;
        std::vector<Failure> optimisedFailures;
        for (const bool optimise : {true, false}) {
            const CompileResult r = compile(text, {.optimise = optimise});
            ASSERT_TRUE(r.ok()) << text;
            Evaluator batch, single;
            int batchEvents = 0, singleEvents = 0;
            batch.setErrorHandler([&] { ++batchEvents; });
            single.setErrorHandler([&] { ++singleEvents; });
            batch.evaluate(r.program(), xs, values, failures);
            for (size_t i = 0; i < xs.size(); ++i) {
                const Sample s = single.evaluate(r.program(), xs[i]);
                ASSERT_EQ(failures[i], s.failure) << text << " at x = " << xs[i];
                if (s.failure == Failure::None) {
                    ASSERT_TRUE(sameBits(values[i], s.value)) << text << " at x = " << xs[i];
                }
            }
            EXPECT_EQ(batchEvents, singleEvents) << text;
            if (optimise) {
                optimisedValues = values, optimisedFailures = failures;
                continue;
            }
            for (size_t i = 0; i < xs.size(); ++i) {
                ASSERT_EQ(failures[i], optimisedFailures[i]) << text << " unoptimised at " << xs[i];
                if (failures[i] == Failure::None) {
                    ASSERT_TRUE(sameBits(values[i], optimisedValues[i]))
                        << text << " unoptimised at x = " << xs[i];
                }
            }
        }
    }
}

TEST(Batch, SizesAroundTheBlockAndEmptyInput) {
    const CompileResult r = compile("x*2+1");
    ASSERT_TRUE(r.ok());
    Evaluator e;
    for (size_t n : {0u, 1u, 255u, 256u, 257u, 1000u}) {
        std::vector<double> xs(n), values(n, -99);
        std::vector<Failure> failures(n, Failure::Overflow);
        for (size_t i = 0; i < n; ++i) xs[i] = static_cast<double>(i);
        e.evaluate(r.program(), xs, values, failures);
        for (size_t i = 0; i < n; ++i) {
            ASSERT_EQ(values[i], 2.0 * i + 1) << n;
            ASSERT_EQ(failures[i], Failure::None) << n;
        }
    }
}

TEST(Batch, ConstantsFoldedAtCompileTimeGiveTheSameValues) {
    // Folded: everything but x is a constant; not folded: the same arithmetic through x.
    const CompileResult folded = compile("x + (2^0.5*3 - sin(1))/7");
    const CompileResult runtime = compile("x + (x^0.5*3 - sin(x-1))/7");
    ASSERT_TRUE(folded.ok() && runtime.ok());
    EXPECT_LT(folded.program().code().size(), runtime.program().code().size());
    Evaluator e;
    EXPECT_TRUE(
        sameBits(e.evaluate(folded.program(), 2).value, e.evaluate(runtime.program(), 2).value));
    // A constant part that fails is kept, and fails at every sample.
    const CompileResult failing = compile("x + 1/0");
    ASSERT_TRUE(failing.ok());
    EXPECT_EQ(e.evaluate(failing.program(), 3).failure, Failure::DivisionByZero);
}

}  // namespace
}  // namespace tracewell::eval
