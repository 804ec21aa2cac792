#include "program.h"

#include <algorithm>

#include "kernels.h"

namespace tracewell::eval {

int stackEffect(const Instruction& ins) {
    // Counted without a branch: loads and operations of either kind follow no pattern.
    const bool load = ins.op == Op::PushConst || ins.op == Op::PushX;
    const int taken = (ins.lhs == Src::Stack) + (isBinary(ins.op) & (ins.rhs == Src::Stack));
    return 1 - !load * taken;
}

namespace {

// How many instructions an instruction does, itself included: a run's first one does the
// whole run, a pushed constant and its steps or the steps alone.
std::size_t instructionsDone(const Instruction& ins) {
    if (ins.run == 0) return 1;
    return ins.op == Op::PushConst ? ins.run + 1u : ins.run;
}

}  // namespace

Program::Program(std::vector<Instruction> code, ValueKind kind)
    : code_(std::move(code)), kind_(kind) {
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
    working_.reserve(code_.size());
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
