#pragma once
// Small helpers shared by the engine's tests.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "eval/compiler.h"
#include "eval/evaluator.h"

namespace tracewell::eval::testing {

inline bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Compiles text (failing the test if it cannot) and evaluates it at x. The code as written,
// without the optimiser's rewrites, must give the same bits and the same failure.
inline Sample evalAt(const std::string& text, double x = 0) {
    const CompileResult r = compile(text);
    if (!r.ok()) {
        ADD_FAILURE() << "'" << text << "' does not compile: " << r.error().message << " at "
                      << r.error().position;
        return {};
    }
    const CompileResult plain = compile(text, {.optimise = false});
    Evaluator e;
    const Sample s = e.evaluate(r.program(), x), p = e.evaluate(plain.program(), x);
    EXPECT_EQ(s.failure, p.failure) << text << " unoptimised, at x = " << x;
    if (s.failure == Failure::None) {
        EXPECT_TRUE(sameBits(s.value, p.value))
            << text << " unoptimised, at x = " << x << ": " << p.value << ", not " << s.value;
    }
    return s;
}

}  // namespace tracewell::eval::testing
