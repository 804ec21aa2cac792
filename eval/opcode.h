#pragma once
// The instruction set of compiled expressions.

#include <cstdint>

namespace tracewell::eval {

enum class Op : std::uint8_t {
    // Loads.
    PushConst,
    PushX,
    // One operand.
    Neg,
    Not,
    Square,  // a^2 with a constant exponent of 2: one rounding instead of pow's
    Sin,
    Cos,
    Tan,
    Atn,
    Log,
    Exp,
    Abs,
    SquareRoot,
    Sgn,
    Int,
    Fix,
    Round,
    CInt,
    CLng,
    CSng,
    CDbl,
    CBool,
    // x*a + k with a from the stack: a Horner step, the multiply and the add rounded apart as
    // written, so that it gives the bits of the two operations it stands for.
    MulXAdd,
    // a + x*k with a from the stack: a term k*x added to what came before, the product and the
    // sum rounded apart as written.
    AddXTimes,
    // Two operands.
    Add,
    Sub,
    Mul,
    Div,
    Pow,
    IntDiv,
    Mod,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    And,
    Or,
    Xor,
    Eqv,
    Imp,
    RoundTo,  // Round(value, digits)
};

constexpr int kFirstUnary = static_cast<int>(Op::Neg);
constexpr int kFirstBinary = static_cast<int>(Op::Add);
constexpr int kOpCount = static_cast<int>(Op::RoundTo) + 1;

constexpr bool isUnary(Op op) {
    return static_cast<int>(op) >= kFirstUnary && static_cast<int>(op) < kFirstBinary;
}
constexpr bool isBinary(Op op) { return static_cast<int>(op) >= kFirstBinary; }
constexpr bool isComparison(Op op) { return op >= Op::Eq && op <= Op::Ge; }

// Where an operand comes from: the evaluation stack, the instruction's constant, or x.
enum class Src : std::uint8_t { Stack, Const, X };

}  // namespace tracewell::eval
