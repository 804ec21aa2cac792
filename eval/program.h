#pragma once
// A compiled expression: fixed-size instructions for a stack machine whose depth is known
// before it runs. Immutable once built; one program can be evaluated by many evaluators.

#include <cstdint>
#include <vector>

#include "failure.h"
#include "opcode.h"

namespace tracewell::eval {

// What kind of value an expression gives. Truth values are the numbers -1 and 0; the empty
// value (of the empty text) reads as 0. The kind only matters to those who print the value.
enum class ValueKind : std::uint8_t { Number, Truth, Empty };

// A constant added to or multiplying the result of an instruction in the same pass over the
// samples, rounded on its own as the instruction it replaces was.
enum class Tail : std::uint8_t { None, Add, Mul };

// Operations that take a tail: those that can only overflow and hide nothing, so that the
// pair fails where and how the two instructions did.
constexpr bool takesTail(Op op) {
    return op == Op::Square || op == Op::Abs || op == Op::Neg || op == Op::AddXTimes;
}

struct Instruction {
    Op op = Op::PushConst;
    Src lhs = Src::Stack;  // the operand of a one-operand instruction
    Src rhs = Src::Stack;
    double k = 0;  // the constant operand, if any
    // Set by Program on the first of consecutive Horner steps, or on the constant pushed just
    // before them: how many steps there are. That instruction runs them all over each group of
    // samples in registers; the steps themselves then do nothing.
    std::uint8_t run = 0;
    Tail tail = Tail::None;  // set by the optimiser
    double tailK = 0;
};

struct Frame;
using Kernel = void (*)(const Instruction&, Frame&);
using FailureKindFn = Failure (*)(double, double);

class Program {
public:
    // Links code to run as it stands: marks its runs of Horner steps, counts its stack and
    // picks each instruction's kernel.
    Program(std::vector<Instruction> code, ValueKind kind);

    const std::vector<Instruction>& code() const { return code_; }
    ValueKind kind() const { return kind_; }
    int stackDepth() const { return stackDepth_; }

    // Resolved once so that evaluation does no lookups.
    const std::vector<Kernel>& kernels() const { return kernels_; }
    // Why an instruction's result is not finite; nullptr where that cannot happen.
    const std::vector<FailureKindFn>& failureKinds() const { return failureKinds_; }
    // The positions of the instructions that do work when the code runs straight through:
    // all but the steps inside a Horner run, which its first instruction does.
    const std::vector<std::uint32_t>& working() const { return working_; }

private:
    std::vector<Instruction> code_;
    std::vector<Kernel> kernels_;
    std::vector<FailureKindFn> failureKinds_;
    std::vector<std::uint32_t> working_;
    ValueKind kind_;
    int stackDepth_ = 0;
};

// How many stack slots an instruction takes (negative) or leaves (positive).
int stackEffect(const Instruction& ins);

}  // namespace tracewell::eval
