#include "engine_invariants.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "eval/compiler.h"
#include "eval/evaluator.h"
#include "eval/frame.h"
#include "eval/hints.h"
#include "eval/single.h"
#include "eval/x_text.h"

namespace tracewell::eval::fuzz {
namespace {

// The x values of a plot's usual ranges and the ends of the single range (the smallest and
// the largest single, as their text reads back). The input adds one more.
constexpr double kFixedXs[] = {0, 0.5, -0.5, 10, -10, 50, -50, 1.401298e-45, 3.402823e38};
constexpr int kXCount = static_cast<int>(std::size(kFixedXs)) + 1;

// Copies of one x in a batch of their own: enough for the vector loops' full steps and a
// remainder, with no other sample's failure to send the block down the tracking run.
constexpr int kCopies = 9;
// Every x in turn, through a whole block and on into a part-filled second one.
constexpr int kMixed = kBlock + 44;

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Characters as the engine counts them: every byte that does not continue a UTF-8 sequence.
int characterCount(std::string_view text) {
    int n = 0;
    for (const char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

std::string broken(const char* rule, double x, int sample = -1) {
    char where[64];
    if (sample < 0)
        std::snprintf(where, sizeof where, " at x = %.17g", x);
    else
        std::snprintf(where, sizeof where, " at x = %.17g (sample %d)", x, sample);
    return rule + std::string(where);
}

// Whatever bit pattern the input ends with, as a single.
float tailFloat(std::span<const std::uint8_t> input) {
    std::uint32_t bits = 0;
    const std::size_t n = std::min(sizeof bits, input.size());
    if (n > 0) std::memcpy(&bits, input.data() + input.size() - n, n);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

std::string checkCompileError(std::string_view text, const CompileError& e, int characters) {
    if (e.position < 1 || e.position > characters + 1)
        return "compile error at position " + std::to_string(e.position) + " of a text of " +
               std::to_string(characters) + " characters";
    if (e.length < 1 || e.position - 1 + e.length > std::max(characters, e.position))
        return "compile error blames " + std::to_string(e.length) + " characters from " +
               std::to_string(e.position) + " of " + std::to_string(characters);
    try {
        (void)hintFor(text, e);  // reads around the position: the sanitizers watch it
    } catch (...) {
        return "the hint threw";
    }
    if (e.message.empty()) return "compile error without a message";
    if (characters > kMaxTextLength && e.message != "Expression too long")
        return "text beyond the limit reported as '" + e.message + "'";
    return {};
}

// Rules for one sample, whichever path gave it.
std::string checkSample(const Program& program, double value, Failure failure, double x) {
    if (failure != Failure::None) {
        if (!std::isnan(value)) return broken("failed sample whose value is not NaN", x);
        if (toSingle({value, failure}).failure != failure)
            return broken("conversion to single changed the failure", x);
        return {};
    }
    if (!std::isfinite(value)) return broken("successful sample that is not finite", x);
    if (program.kind() == ValueKind::Truth && value != -1 && value != 0)
        return broken("truth value other than -1 and 0", x);
    if (program.kind() == ValueKind::Empty && value != 0)
        return broken("empty value other than 0", x);
    const SingleSample s = toSingle({value, failure});
    if (s.failure == Failure::None ? !std::isfinite(s.value) : s.failure != Failure::Overflow)
        return broken("conversion to single gave neither a finite value nor an overflow", x);
    return {};
}

// A batch sample against the same x evaluated alone: failure kinds always, value bits when
// there is no failure.
bool agrees(const Sample& alone, double value, Failure failure) {
    return failure == alone.failure && (failure != Failure::None || sameBits(value, alone.value));
}

std::string checkEvaluation(const Program& program, float inputX) {
    std::array<double, kXCount> xs;
    std::copy(std::begin(kFixedXs), std::end(kFixedXs), xs.begin());
    xs.back() = std::isfinite(inputX) ? xValue(inputX) : 0.0;

    Evaluator single, batch;
    int singleEvents = 0, batchEvents = 0;
    single.setErrorHandler([&] { ++singleEvents; });
    batch.setErrorHandler([&] { ++batchEvents; });

    std::array<Sample, kXCount> alone;
    for (int i = 0; i < kXCount; ++i) {
        const double x = xs[i];
        const int before = singleEvents;
        alone[i] = single.evaluate(program, x);
        const int failed = alone[i].failure != Failure::None;
        if (singleEvents - before != failed)
            return broken("error handler not called exactly once per failed sample", x);
        if (std::string b = checkSample(program, alone[i].value, alone[i].failure, x); !b.empty())
            return b;

        std::array<double, kCopies> copies, values;
        std::array<Failure, kCopies> failures;
        copies.fill(x);
        batchEvents = 0;
        batch.evaluate(program, copies, values, failures);
        for (int k = 0; k < kCopies; ++k) {
            if (!agrees(alone[i], values[k], failures[k]))
                return broken("batch differs from one sample at a time", x, k);
            if (std::string b = checkSample(program, values[k], failures[k], x); !b.empty())
                return b;
        }
        if (batchEvents != failed * kCopies)
            return broken("error handler not called exactly once per failed batch sample", x);
    }

    std::vector<double> mixed(kMixed), values(kMixed);
    std::vector<Failure> failures(kMixed);
    for (int i = 0; i < kMixed; ++i) mixed[i] = xs[i % kXCount];
    batchEvents = 0;
    batch.evaluate(program, mixed, values, failures);
    int failed = 0;
    for (int i = 0; i < kMixed; ++i) {
        const Sample& expected = alone[i % kXCount];
        if (!agrees(expected, values[i], failures[i]))
            return broken("mixed batch differs from one sample at a time", mixed[i], i);
        if (std::string b = checkSample(program, values[i], failures[i], mixed[i]); !b.empty())
            return b;
        failed += expected.failure != Failure::None;
    }
    if (batchEvents != failed)
        return "error handler called " + std::to_string(batchEvents) + " times for " +
               std::to_string(failed) + " failed samples of a mixed batch";
    return {};
}

}  // namespace

std::string checkEngine(std::span<const std::uint8_t> input) {
    const std::string_view text(reinterpret_cast<const char*>(input.data()), input.size());

    const float inputX = tailFloat(input);
    if (!std::isnan(inputX) && !sameBits(xValue(inputX), xValueFromText(inputX))) {
        char what[96];
        std::snprintf(what, sizeof what, "xValue(%.9g) differs from the text route '%s'",
                      static_cast<double>(inputX), xText(inputX).c_str());
        return what;
    }

    std::optional<CompileResult> result;
    try {
        result.emplace(compile(text));
    } catch (...) {
        return "compile threw";
    }
    const int characters = characterCount(text);
    if (!result->ok()) return checkCompileError(text, result->error(), characters);
    if (characters > kMaxTextLength) return "a text beyond the limit compiled";
    return checkEvaluation(result->program(), inputX);
}

}  // namespace tracewell::eval::fuzz
