#include "differential.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>

#include "eval/compiler.h"
#include "eval/evaluator.h"
#include "eval/frame.h"
#include "eval/power.h"
#include "eval/vector_math.h"
#include "reference.h"

namespace tracewell::eval::fuzz {
namespace {

// The engine's transcendental functions and its power may differ from the C library's by
// this much.
constexpr std::int64_t kMaxUlps = 4;
// A whole block and a part-filled one, so that every batch path runs.
constexpr int kBatch = kBlock + 7;

// The first time a transcendental function strays too far, for the current case.
std::string strayed;

// Doubles in order as integers, so that neighbours differ by one.
std::int64_t ordered(double v) {
    std::int64_t i;
    std::memcpy(&i, &v, sizeof i);
    return i < 0 ? INT64_MIN - i : i;
}

bool withinUlps(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    if (!std::isfinite(a) || !std::isfinite(b)) return a == b;
    const std::int64_t d = ordered(a) - ordered(b);
    return d >= -kMaxUlps && d <= kMaxUlps;
}

double cLibrary(reference::Fn fn, double a) {
    switch (fn) {
        case reference::Fn::Sin:
            return std::sin(a);
        case reference::Fn::Cos:
            return std::cos(a);
        case reference::Fn::Tan:
            return std::tan(a);
        case reference::Fn::Atn:
            return std::atan(a);
        case reference::Fn::Exp:
            return std::exp(a);
        case reference::Fn::Log:
            return std::log(a);
    }
    return NAN;
}

// The engine's own vector math, so that the whole walk can be compared bit for bit, each call
// checked against the C library.
double engineMath(reference::Fn fn, double a) {
    const double v = vector_math::apply(static_cast<vector_math::Fn>(fn), a);
    const double c = cLibrary(fn, a);
    if (!withinUlps(v, c) && strayed.empty()) {
        char what[128];
        std::snprintf(what, sizeof what, "function %d of %.17g is %.17g, the C library's %.17g",
                      static_cast<int>(fn), a, v, c);
        strayed = what;
    }
    return v;
}

// The engine's power likewise, checked against the C library's pow.
double enginePower(double a, double b) {
    const double v = power::apply(a, b);
    const double c = std::pow(a, b);
    if (!withinUlps(v, c) && strayed.empty()) {
        char what[128];
        std::snprintf(what, sizeof what, "%.17g^%.17g is %.17g, the C library's %.17g", a, b, v, c);
        strayed = what;
    }
    return v;
}

std::string describe(double value, Failure f) {
    if (f != Failure::None) return std::string(failureName(f));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", value);
    return buf;
}

std::string disagreement(const GeneratedCase& c, const char* path, double x, double value,
                         Failure f, const reference::Value& want) {
    char where[48];
    std::snprintf(where, sizeof where, " at x = %.17g: ", x);
    return "'" + c.text + "'" + where + path + " gives " + describe(value, f) + ", the reference " +
           describe(want.value, want.failure);
}

bool agrees(double value, Failure f, const reference::Value& want) {
    return f == want.failure && (f != Failure::None || value == want.value);
}

std::string checkProgram(const GeneratedCase& c, const Program& program,
                         const std::vector<reference::Value>& want) {
    Evaluator evaluator;
    for (std::size_t i = 0; i < c.xs.size(); ++i) {
        const Sample s = evaluator.evaluate(program, c.xs[i]);
        if (!agrees(s.value, s.failure, want[i]))
            return disagreement(c, "one sample", c.xs[i], s.value, s.failure, want[i]);
    }

    std::vector<double> xs(kBatch), values(kBatch);
    std::vector<Failure> failures(kBatch);
    for (int i = 0; i < kBatch; ++i) xs[i] = c.xs[i % c.xs.size()];
    evaluator.evaluate(program, xs, values, failures);
    for (int i = 0; i < kBatch; ++i) {
        const reference::Value& w = want[i % c.xs.size()];
        if (!agrees(values[i], failures[i], w))
            return disagreement(c, "a batch", xs[i], values[i], failures[i], w);
    }
    return {};
}

}  // namespace

// Both the optimised code and the code as written.
std::string checkAgainstReference(const GeneratedCase& c) {
    static_assert(static_cast<int>(reference::Fn::Log) == static_cast<int>(vector_math::Fn::Log));
    const std::optional<reference::Expression> ref = reference::Expression::parse(c.text);
    if (!ref) return "the reference cannot read '" + c.text + "'";

    strayed.clear();
    std::vector<reference::Value> want;
    for (const double x : c.xs) want.push_back(ref->evaluate(x, &engineMath, &enginePower));
    if (!strayed.empty()) return "'" + c.text + "': " + strayed;

    for (const bool optimise : {true, false}) {
        const CompileResult compiled = compile(c.text, {.optimise = optimise});
        if (!compiled.ok())
            return "the engine cannot read '" + c.text + "': " + compiled.error().message;
        const std::string problem = checkProgram(c, compiled.program(), want);
        if (!problem.empty()) return problem + (optimise ? "" : " (unoptimised)");
    }
    return {};
}

}  // namespace tracewell::eval::fuzz
