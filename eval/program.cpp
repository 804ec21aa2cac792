#include "program.h"

#include <algorithm>
#include <cmath>

#include "kernels.h"

namespace tracewell::eval {

int stackEffect(const Instruction& ins) {
    if (ins.op == Op::PushConst || ins.op == Op::PushX) return 1;
    if (isUnary(ins.op)) return ins.lhs == Src::Stack ? 0 : 1;
    return 1 - (ins.lhs == Src::Stack) - (ins.rhs == Src::Stack);
}

namespace {

// Whether dividing by k gives the bits of multiplying by 1/k: so when k is a power of two
// whose reciprocal is a normal number, as both then round the same exact quotient.
bool hasExactReciprocal(double k) {
    int exponent;
    return std::fabs(std::frexp(k, &exponent)) == 0.5 && std::isnormal(k) && std::isnormal(1 / k);
}

// How many instructions an instruction does, itself included: a run's first one does the
// whole run, a pushed constant and its steps or the steps alone.
std::size_t instructionsDone(const Instruction& ins) {
    if (ins.run == 0) return 1;
    return ins.op == Op::PushConst ? ins.run + 1u : ins.run;
}

// The tail that instruction next makes of itself, if it adds or multiplies the stack top by
// a constant. a - k is a + (-k), bit for bit, and sums and products do not depend on the
// order of their operands.
Tail tailOf(const Instruction& next, double& k) {
    const bool constLeft = next.lhs == Src::Const && next.rhs == Src::Stack;
    if (!(constLeft || (next.lhs == Src::Stack && next.rhs == Src::Const))) return Tail::None;
    k = next.k;
    if (next.op == Op::Mul) return Tail::Mul;
    if (next.op == Op::Add) return Tail::Add;
    if (next.op != Op::Sub || constLeft) return Tail::None;
    k = -next.k;
    return Tail::Add;
}

// Folds each constant sum or product that follows an operation taking a tail into it: one
// pass over a block where the two instructions made two.
std::vector<Instruction> withTails(const std::vector<Instruction>& code) {
    std::vector<Instruction> out;
    out.reserve(code.size());
    for (const Instruction& ins : code) {
        double k = 0;
        if (!out.empty() && takesTail(out.back().op) && out.back().tail == Tail::None) {
            const Tail tail = tailOf(ins, k);
            if (tail != Tail::None) {
                out.back().tail = tail;
                out.back().tailK = k;
                continue;
            }
        }
        out.push_back(ins);
    }
    return out;
}

}  // namespace

Program::Program(std::vector<Instruction> code, ValueKind kind)
    : code_(std::move(code)), kind_(kind) {
    // A division by such a constant can fail only by overflow, as the product can: it runs
    // as the product, which does not wait on the divider.
    for (Instruction& ins : code_)
        if (ins.op == Op::Div && ins.rhs == Src::Const && hasExactReciprocal(ins.k))
            ins.op = Op::Mul, ins.k = 1 / ins.k;
    code_ = withTails(code_);
    // Consecutive Horner steps run as one, from the constant pushed before them if there is
    // one: the first instruction of the run gets its length.
    for (std::size_t i = 0; i < code_.size(); ++i) {
        const bool fromConst = code_[i].op == Op::PushConst;
        std::size_t end = i + fromConst;
        while (end < code_.size() && end - i < 255 && code_[end].op == Op::MulXAdd) ++end;
        const std::size_t steps = end - i - fromConst;
        if (steps == 0) continue;
        code_[i].run = static_cast<std::uint8_t>(steps);
        i = end - 1;
    }
    int depth = 0;
    kernels_.reserve(code_.size());
    failureKinds_.reserve(code_.size());
    std::size_t doneUpTo = 0;  // the instructions before this are done by a run's first
    for (std::size_t i = 0; i < code_.size(); ++i) {
        const Instruction& ins = code_[i];
        depth += stackEffect(ins);
        stackDepth_ = std::max(stackDepth_, depth);
        kernels_.push_back(kernelFor(ins));
        failureKinds_.push_back(failureKindFor(ins));
        if (i < doneUpTo) continue;
        working_.push_back(static_cast<std::uint32_t>(i));
        doneUpTo = i + instructionsDone(ins);
    }
}

}  // namespace tracewell::eval
