#include "evaluator.h"

#include <algorithm>
#include <cassert>

#include "frame.h"
#include "kernels.h"
#include "operations.h"

namespace tracewell::eval {
namespace {

// The operands an operation is about to read, for telling why it failed.
void operandsOf(const Instruction& ins, const Frame& f, double& a, double& b) {
    auto read = [&](Src src, int slot) {
        switch (src) {
            case Src::Const:
                return ins.k;
            case Src::X:
                return f.x[0];
            case Src::Stack:
                return f.slot(slot)[0];
        }
        return 0.0;
    };
    if (isUnary(ins.op)) {
        a = read(ins.lhs, f.sp - 1);
        b = 0;
        return;
    }
    const int onStack = (ins.lhs == Src::Stack) + (ins.rhs == Src::Stack);
    const int base = f.sp - onStack;
    a = read(ins.lhs, base);
    b = read(ins.rhs, ins.lhs == Src::Stack ? base + 1 : base);
}

}  // namespace

Sample Evaluator::evaluateQuietly(const Program& program, double x) {
    regs_.resize(static_cast<size_t>(program.stackDepth()) * kBlock);
    Frame f{regs_.data(), regs_.data(), &x, 1};
    const auto& code = program.code();
    const auto& kernels = program.kernels();
    for (size_t i = 0; i < code.size(); ++i) {
        const FailureKindFn why = program.failureKinds()[i];
        double a = 0, b = 0;
        if (why) operandsOf(code[i], f, a, b);
        kernels[i](code[i], f);
        if (why && !ops::isFinite(f.slot(f.sp - 1)[0])) return {ops::kNaN, why(a, b)};
    }
    assert(f.sp == 1);
    const double v = f.slot(0)[0];
    if (!ops::isFinite(v)) return {ops::kNaN, Failure::Overflow};
    return {v, Failure::None};
}

Sample Evaluator::evaluate(const Program& program, double x) {
    const Sample s = evaluateQuietly(program, x);
    if (s.failure != Failure::None) reportFailure();
    return s;
}

void Evaluator::evaluate(const Program& program, std::span<const double> xs,
                         std::span<double> values, std::span<Failure> failures) {
    assert(values.size() >= xs.size() && failures.size() >= xs.size());
    regs_.resize(static_cast<size_t>(program.stackDepth()) * kBlock);
    const auto& code = program.code();
    const auto& kernels = program.kernels();
    for (size_t start = 0; start < xs.size(); start += kBlock) {
        const int n = static_cast<int>(std::min<size_t>(kBlock, xs.size() - start));
        double* out = values.data() + start;
        Frame f{out, regs_.data(), xs.data() + start, n};
        for (size_t i = 0; i < code.size(); ++i) kernels[i](code[i], f);
        // A failure either reached the result or was watched for where it could hide.
        if (!(f.bad | anyNotFinite(f.x, out, n))) {
            std::fill_n(failures.data() + start, n, Failure::None);
            continue;
        }
        // Something in this block failed: find out which samples, and why, one at a time.
        for (int i = 0; i < n; ++i) {
            const Sample s = evaluateQuietly(program, xs[start + i]);
            values[start + i] = s.value;
            failures[start + i] = s.failure;
        }
        // The one-sample runs reused the registers; the events come after, in sample order.
        for (int i = 0; i < n; ++i)
            if (failures[start + i] != Failure::None) reportFailure();
    }
}

}  // namespace tracewell::eval
