// Passes that take a negation into another operation: it changes the sign alone, exactly.
#include "rewrites.h"

namespace tracewell::eval {

// (-x)*x, written as x, Neg, x, Mul, is x*x then its negation, which a constant factor after
// it may take in next.
void negatedSquares(Code& code) {
    rewrite(code, {Op::Mul}, [](Rewritten& out, const Instruction& ins) {
        const Instruction* right = out.fromEnd(0);
        Instruction* negation = out.fromEnd(1);
        const Instruction* negated = out.fromEnd(2);
        if (!onStack(ins, Op::Mul) || !negated || right->op != Op::PushX ||
            !onStack(*negation, Op::Neg) || negated->op != Op::PushX)
            return false;
        *negation = {Op::Square};
        out.back() = {Op::Neg};
        return true;
    });
}

// a, Neg, k, Mul is a, -k, Mul; the same for Div.
void negationsIntoConstants(Code& code) {
    rewrite(code, {Op::Mul, Op::Div}, [](Rewritten& out, const Instruction& ins) {
        const Instruction* right = out.fromEnd(0);
        const Instruction* negation = out.fromEnd(1);
        if (!(onStack(ins, Op::Mul) || onStack(ins, Op::Div)) || !negation || !isConstant(*right) ||
            !onStack(*negation, Op::Neg))
            return false;
        const double k = right->k;
        out.pop_back();
        out.back() = pushConstant(-k);
        return false;
    });
}

}  // namespace tracewell::eval
