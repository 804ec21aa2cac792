#include "evaluator.h"

#include <algorithm>
#include <cassert>

#include "frame.h"
#include "kernels.h"
#include "operations.h"

namespace tracewell::eval {
namespace {

// From its first failure on, a failed sample's lane carries this finite value, so that the
// operations after it report nothing new for it; its result is NaN in the end.
constexpr double kSettled = 1.0;

// Where an operand of the instruction about to run lies. The result replaces the lowest
// stack operand, so that one is read from a copy kept before the instruction ran.
struct Operands {
    const double* a = nullptr;  // nullptr: the instruction's constant
    const double* b = nullptr;
    int base = 0;  // the slot the result goes to
};

// The slot of the lowest stack operand, where the result goes.
int baseOf(const Instruction& ins, const Frame& f) {
    return f.sp - (ins.lhs == Src::Stack) - (!isUnary(ins.op) && ins.rhs == Src::Stack);
}

// Gives every lane of v that is not finite an overflow, and then a finite value.
template <class Fail>
void settle(double* v, int n, Fail& fail) {
    if (!mayHoldNotFinite(v, n)) return;
    for (int j = 0; j < n; ++j) {
        if (ops::isFinite(v[j])) continue;
        fail(j, Failure::Overflow);
        v[j] = kSettled;
    }
}

// Whether a slot below base holds a value that is not finite in lane j.
bool pendingBelow(const Frame& f, int base, int j) {
    for (int s = 0; s < base; ++s)
        if (!ops::isFinite(f.slot(s)[j])) return true;
    return false;
}

Operands operandsOf(const Instruction& ins, const Frame& f, const double* kept) {
    const int base = baseOf(ins, f);
    auto where = [&](Src src, bool lowest) -> const double* {
        switch (src) {
            case Src::Const:
                return nullptr;
            case Src::X:
                return f.x;
            case Src::Stack:
                return lowest ? kept : f.slot(base + 1);
        }
        return nullptr;
    };
    if (isUnary(ins.op)) return {where(ins.lhs, true), nullptr, base};
    return {where(ins.lhs, true), where(ins.rhs, ins.lhs != Src::Stack), base};
}

// Asks for the next block's x values while this block runs: the first instruction to touch a
// block would otherwise wait on memory with nothing to overlap it. The result lines are left
// to the processor: asking for them too made every formula slower.
void prefetchNext(std::span<const double> xs, size_t start) {
    constexpr size_t kLine = 64 / sizeof(double);
    const size_t end = std::min(xs.size(), start + kBlock);
    for (size_t i = start; i < end; i += kLine) __builtin_prefetch(xs.data() + i, 0, 3);
}

}  // namespace

bool Evaluator::runTracking(const Program& program, Frame& f, Failure* kinds) {
    std::fill_n(kinds, f.n, Failure::None);
    kept_.resize(kBlock);
    const auto& code = program.code();
    const auto& kernels = program.kernels();
    const auto& whys = program.failureKinds();
    // With every x finite, a value that is not finite can only come from a failing operation.
    // Those that can only overflow then go unwatched: the value they give is passed on until a
    // watched operation, or one that could hide it, meets it, and that one reports the
    // overflow. An x that is not finite needs every operation watched, as one sample alone is.
    const bool watchAll = anyNotFinite(f.x, f.n);
    int failed = 0;
    auto fail = [&](int j, Failure kind) {
        if (kinds[j] == Failure::None) {
            kinds[j] = kind;
            ++failed;
        }
    };
    for (size_t i = 0; i < code.size() && failed < f.n; ++i) {
        const Instruction& ins = code[i];
        const Watch watch = watchFor(ins.op);
        const unsigned hiding = watchAll ? 0 : watch.hiding;
        if (hiding) {
            // Lanes whose operand is not finite failed before, by an unwatched overflow.
            const int base = baseOf(ins, f);
            const bool left = (hiding & 1) && ins.lhs == Src::Stack;
            const bool right = (hiding & 2) && ins.rhs == Src::Stack;
            if (left) settle(f.slot(base), f.n, fail);
            if (right) settle(f.slot(ins.lhs == Src::Stack ? base + 1 : base), f.n, fail);
        }
        const FailureKindFn why = whys[i];
        const bool reads = why && watch.readsOperands;
        if (!why || !(reads || watchAll)) {
            kernels[i](ins, f);
            continue;
        }
        const Operands o = operandsOf(ins, f, kept_.data());
        if (o.base < f.sp) std::copy_n(f.slot(o.base), f.n, kept_.data());
        kernels[i](ins, f);
        double* out = f.slot(f.sp - 1);
        if (!mayHoldNotFinite(out, f.n)) continue;
        for (int j = 0; j < f.n; ++j) {
            if (ops::isFinite(out[j])) continue;
            const double a = o.a ? o.a[j] : ins.k, b = o.b ? o.b[j] : ins.k;
            // A value that is not finite, in an operand or in a slot below them, carries an
            // unwatched overflow that came first in program order.
            const bool carried = !watchAll && (!(ops::isFinite(a) && ops::isFinite(b)) ||
                                               pendingBelow(f, o.base, j));
            fail(j, carried ? Failure::Overflow : why(a, b));
            out[j] = kSettled;
        }
    }
    double* result = f.slot(0);
    for (int j = 0; j < f.n; ++j) {
        // An unwatched overflow, or an x that is not finite, may reach the result.
        if (!ops::isFinite(result[j])) fail(j, Failure::Overflow);
        if (kinds[j] != Failure::None) result[j] = ops::kNaN;
    }
    return failed > 0;
}

Sample Evaluator::evaluate(const Program& program, double x) {
    regs_.resize(static_cast<size_t>(program.stackDepth()) * kBlock);
    Sample s;
    Frame f{&s.value, regs_.data(), &x, 1};
    if (runTracking(program, f, &s.failure)) reportFailure();
    return s;
}

void Evaluator::evaluate(const Program& program, std::span<const double> xs,
                         std::span<double> values, std::span<Failure> failures) {
    assert(values.size() >= xs.size() && failures.size() >= xs.size());
    regs_.resize(static_cast<size_t>(program.stackDepth()) * kBlock);
    const auto& code = program.code();
    const auto& kernels = program.kernels();
    // Failures come in runs (log(x) fails on a whole half), so a block after one that held a
    // failure is run with tracking at once rather than twice.
    bool tracking = false;
    for (size_t start = 0; start < xs.size(); start += kBlock) {
        const int n = static_cast<int>(std::min<size_t>(kBlock, xs.size() - start));
        prefetchNext(xs, start + kBlock);
        double* out = values.data() + start;
        Failure* kinds = failures.data() + start;
        if (!tracking) {
            Frame f{out, regs_.data(), xs.data() + start, n};
            for (const std::uint32_t i : program.working()) kernels[i](code[i], f);
            // A failure either reached the result or was watched for where it could hide.
            if (!(f.bad | mayHoldNotFinite(out, n))) {
                std::fill_n(kinds, n, Failure::None);
                continue;
            }
        }
        Frame f{out, regs_.data(), xs.data() + start, n};
        tracking = runTracking(program, f, kinds);
        for (int i = 0; i < n; ++i)
            if (kinds[i] != Failure::None) reportFailure();
    }
}

}  // namespace tracewell::eval
