#include "program.h"

#include <algorithm>

#include "kernels.h"

namespace tracewell::eval {

int stackEffect(const Instruction& ins) {
    if (ins.op == Op::PushConst || ins.op == Op::PushX) return 1;
    if (isUnary(ins.op)) return ins.lhs == Src::Stack ? 0 : 1;
    return 1 - (ins.lhs == Src::Stack) - (ins.rhs == Src::Stack);
}

Program::Program(std::vector<Instruction> code, ValueKind kind)
    : code_(std::move(code)), kind_(kind) {
    int depth = 0;
    kernels_.reserve(code_.size());
    failureKinds_.reserve(code_.size());
    for (const Instruction& ins : code_) {
        depth += stackEffect(ins);
        stackDepth_ = std::max(stackDepth_, depth);
        kernels_.push_back(kernelFor(ins));
        failureKinds_.push_back(failureKindFor(ins.op));
    }
}

}  // namespace tracewell::eval
