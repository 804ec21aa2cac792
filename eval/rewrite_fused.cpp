// Passes that join operations into instructions standing for several, each rounded as the
// operations it stands for (see Op::MulXAdd, Op::AddXTimes and Tail).
#include "rewrites.h"

namespace tracewell::eval {
namespace {

// The constant a sum or a difference adds to its stack operand, where it is one: a - k is
// a + (-k), bit for bit, and a sum does not depend on the order of its operands.
bool addsConstant(const Instruction& ins, double& k) {
    const bool constLeft = ins.lhs == Src::Const && ins.rhs == Src::Stack;
    if (!constLeft && !(ins.lhs == Src::Stack && ins.rhs == Src::Const)) return false;
    if (ins.op == Op::Sub && constLeft) return false;
    k = ins.op == Op::Sub ? -ins.k : ins.k;
    return ins.op == Op::Add || ins.op == Op::Sub;
}

// x times the stack top, or x times a constant.
bool timesX(const Instruction& m) {
    return m.op == Op::Mul && m.lhs != m.rhs && (m.lhs == Src::X || m.rhs == Src::X);
}

bool xTimesConstant(const Instruction& m) {
    return m.op == Op::Mul &&
           ((m.lhs == Src::X && m.rhs == Src::Const) || (m.lhs == Src::Const && m.rhs == Src::X));
}

// The tail that instruction next makes of itself, if it adds or multiplies the stack top by
// a constant.
Tail tailOf(const Instruction& next, double& k) {
    if (addsConstant(next, k)) return Tail::Add;
    const bool oneConstant = (next.lhs == Src::Const && next.rhs == Src::Stack) ||
                             (next.lhs == Src::Stack && next.rhs == Src::Const);
    if (next.op != Op::Mul || !oneConstant) return Tail::None;
    k = next.k;
    return Tail::Mul;
}

}  // namespace

// The product x*c, with both operands in place, becomes c pushed to start the step.
void hornerSteps(Code& code) {
    rewrite(code, {Op::Add, Op::Sub}, [](Rewritten& out, const Instruction& ins) {
        double k;
        if (!addsConstant(ins, k) || out.empty() || !timesX(out.back())) return false;
        const Instruction product = out.back();
        const Instruction step{Op::MulXAdd, Src::Stack, Src::Stack, k};
        if (product.lhs != Src::Const && product.rhs != Src::Const) {
            out.back() = step;
        } else {
            out.back() = pushConstant(product.k);
            out.push_back(step);
        }
        return true;
    });
}

void termsInX(Code& code) {
    rewrite(code, {Op::Add, Op::Sub}, [](Rewritten& out, const Instruction& ins) {
        if (!(onStack(ins, Op::Add) || onStack(ins, Op::Sub)) || out.empty() ||
            !xTimesConstant(out.back()))
            return false;
        const double k = out.back().k;
        out.back() = {Op::AddXTimes, Src::Stack, Src::Stack, ins.op == Op::Sub ? -k : k};
        return true;
    });
}

void tails(Code& code) {
    rewrite(code, {Op::Add, Op::Sub, Op::Mul}, [](Rewritten& out, const Instruction& ins) {
        double k = 0;
        if (out.empty() || !takesTail(out.back().op) || out.back().tail != Tail::None) return false;
        const Tail tail = tailOf(ins, k);
        if (tail == Tail::None) return false;
        out.back().tail = tail;
        out.back().tailK = k;
        return true;
    });
}

}  // namespace tracewell::eval
