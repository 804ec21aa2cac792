// Passes about constants: operations done at compile time, and constant operands that let an
// operation run as a cheaper one.
#include <cmath>

#include "kernels.h"
#include "operations.h"
#include "rewrites.h"

namespace tracewell::eval {
namespace {

// Whether dividing by k gives the bits of multiplying by 1/k: so when k is a power of two
// whose reciprocal is a normal number, as both then round the same exact quotient.
bool hasExactReciprocal(double k) {
    int exponent;
    return std::fabs(std::frexp(k, &exponent)) == 0.5 && std::isnormal(k) && std::isnormal(1 / k);
}

}  // namespace

void foldConstants(Code& code) {
    rewrite(code, OpSet::operations(), [](Rewritten& out, const Instruction& ins) {
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
    });
}

void squares(Code& code) {
    rewrite(code, {Op::Pow}, [](Rewritten& out, const Instruction& ins) {
        if (!onStack(ins, Op::Pow) || out.empty() || !isConstant(out.back()) || out.back().k != 2)
            return false;
        out.back() = {Op::Square};
        return true;
    });
}

// A division by such a constant can fail only by overflow, as the product can.
void reciprocalsOfPowersOfTwo(Code& code) {
    for (Instruction& ins : code)
        if (ins.op == Op::Div && ins.rhs == Src::Const && hasExactReciprocal(ins.k))
            ins.op = Op::Mul, ins.k = 1 / ins.k;
}

}  // namespace tracewell::eval
