#pragma once
// Small helpers shared by the engine's tests.

#include <gtest/gtest.h>

#include <string>

#include "eval/compiler.h"
#include "eval/evaluator.h"

namespace tracewell::eval::testing {

// Compiles text (failing the test if it cannot) and evaluates it at x.
inline Sample evalAt(const std::string& text, double x = 0) {
    const CompileResult r = compile(text);
    if (!r.ok()) {
        ADD_FAILURE() << "'" << text << "' does not compile: " << r.error().message << " at "
                      << r.error().position;
        return {};
    }
    Evaluator e;
    return e.evaluate(r.program(), x);
}

}  // namespace tracewell::eval::testing
