// The first walk over the code as the compiler writes it: operations on constants done at
// compile time, and negations taken into the operations around them.
#include "kernels.h"
#include "operations.h"
#include "rewrites.h"

namespace tracewell::eval {
namespace {

bool foldConstants(Rewritten& out, Instruction& ins) {
    if (out.empty() || !isConstant(out.back()) || !onStack(ins, ins.op)) return false;
    const std::size_t operands = isUnary(ins.op) ? 1 : 2;
    for (std::size_t i = 0; i < operands; ++i) {
        const Instruction* operand = out.fromEnd(i);
        if (!operand || !isConstant(*operand)) return false;
    }
    const double a = out.fromEnd(operands - 1)->k;
    const double r = applyOp(ins.op, a, operands == 2 ? out.back().k : 0);
    if (!ops::isFinite(r)) return false;
    out.shrink(operands - 1);
    out.back().k = r;
    return true;
}

bool squares(Rewritten& out, Instruction& ins) {
    if (!onStack(ins, Op::Pow) || out.empty() || !isConstant(out.back()) || out.back().k != 2)
        return false;
    out.back() = {Op::Square};
    return true;
}

// (-x)*x, written as x, Neg, x, Mul, is x*x then its negation, which a constant factor after
// it may take in next.
bool negatedSquares(Rewritten& out, Instruction& ins) {
    const Instruction* right = out.fromEnd(0);
    Instruction* negation = out.fromEnd(1);
    const Instruction* negated = out.fromEnd(2);
    if (!onStack(ins, Op::Mul) || !negated || right->op != Op::PushX ||
        !onStack(*negation, Op::Neg) || negated->op != Op::PushX)
        return false;
    *negation = {Op::Square};
    out.back() = {Op::Neg};
    return true;
}

// a, Neg, k, Mul is a, -k, Mul; the same for Div.
bool negationsIntoConstants(Rewritten& out, Instruction& ins) {
    const Instruction* right = out.fromEnd(0);
    const Instruction* negation = out.fromEnd(1);
    if (!(onStack(ins, Op::Mul) || onStack(ins, Op::Div)) || !negation || !isConstant(*right) ||
        !onStack(*negation, Op::Neg))
        return false;
    const double k = right->k;
    out.pop_back();
    out.back() = pushConstant(-k);
    return false;
}

constexpr Rewrite kConstantsAndNegations[] = {
    // Operations on constants are done once, here, by the same functions the kernels call.
    // One whose result is not finite is kept, to fail at every sample as written.
    {"fold constants", OpSet::operations(), &foldConstants},
    // a^2 is the square's one rounded product, which is what the power gives for 2.
    {"squares", {Op::Pow}, &squares},
    // (-x)*x is -(x*x): a negation changes no magnitude, so the product is the same.
    {"negated squares", {Op::Mul}, &negatedSquares},
    // -a*k and -a/k are a*(-k) and a/(-k), exactly, one pass fewer.
    {"negations into constants", {Op::Mul, Op::Div}, &negationsIntoConstants},
};

}  // namespace

void constantsAndNegations(Code& code) { walk<kConstantsAndNegations>(code); }

}  // namespace tracewell::eval
