#pragma once
// The optimiser's passes, and what they share. Each pass walks the postfix code once: an
// operation's operands are the values its stack operands leave, whose code ends just before
// it (the right operand's last), so the last instructions rewritten so far are the roots of
// the operands of the next one.

#include "optimiser.h"

namespace tracewell::eval {

inline bool isLoad(const Instruction& ins) {
    return ins.op == Op::PushConst || ins.op == Op::PushX;
}
inline bool isConstant(const Instruction& ins) { return ins.op == Op::PushConst; }
// An operation as the compiler writes it: its operands on the stack, nothing joined to it.
inline bool onStack(const Instruction& ins, Op op) {
    return ins.op == op && ins.lhs == Src::Stack && ins.rhs == Src::Stack;
}
inline Instruction pushConstant(double k) { return {Op::PushConst, Src::Stack, Src::Stack, k}; }

// The n-th instruction from the end of out (0: the last), or nullptr when out is shorter.
inline Instruction* fromEnd(Code& out, std::size_t n) {
    return n < out.size() ? &out[out.size() - 1 - n] : nullptr;
}

// Walks code once: rule(out, ins) sees the code rewritten so far in out and either changes
// out's end to stand for ins too, returning true, or returns false to keep ins as it is.
template <class Rule>
void rewrite(Code& code, Rule rule) {
    Code out;
    out.reserve(code.size());
    for (const Instruction& ins : code)
        if (!rule(out, ins)) out.push_back(ins);
    code = std::move(out);
}

void foldConstants(Code& code);
void squares(Code& code);
void negatedSquares(Code& code);
void negationsIntoConstants(Code& code);
void operandsInPlace(Code& code);
void hornerSteps(Code& code);
void termsInX(Code& code);
void reciprocalsOfPowersOfTwo(Code& code);
void tails(Code& code);

}  // namespace tracewell::eval
