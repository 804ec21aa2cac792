// The walk over code whose instructions read their lone loads in place: operations joined
// into instructions that stand for several, each rounded as the operations it stands for
// (see Op::MulXAdd, Op::AddXTimes and Tail), and divisions that run as products.
#include <cmath>

#include "rewrites.h"

namespace tracewell::eval {
namespace {

// Whether dividing by k gives the bits of multiplying by 1/k: so when k is a power of two
// whose reciprocal is a normal number, as both then round the same exact quotient.
bool hasExactReciprocal(double k) {
    int exponent;
    return std::fabs(std::frexp(k, &exponent)) == 0.5 && std::isnormal(k) && std::isnormal(1 / k);
}

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

// A division by such a constant can fail only by overflow, as the product can.
bool reciprocalsOfPowersOfTwo(Rewritten&, Instruction& ins) {
    if (ins.op == Op::Div && ins.rhs == Src::Const && hasExactReciprocal(ins.k))
        ins.op = Op::Mul, ins.k = 1 / ins.k;
    return false;
}

// The product x*c, with both operands in place, becomes c pushed to start the step.
bool hornerSteps(Rewritten& out, Instruction& ins) {
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
}

bool termsInX(Rewritten& out, Instruction& ins) {
    if (!(onStack(ins, Op::Add) || onStack(ins, Op::Sub)) || out.empty() ||
        !xTimesConstant(out.back()))
        return false;
    const double k = out.back().k;
    out.back() = {Op::AddXTimes, Src::Stack, Src::Stack, ins.op == Op::Sub ? -k : k};
    return true;
}

bool tails(Rewritten& out, Instruction& ins) {
    double k = 0;
    if (out.empty() || !takesTail(out.back().op) || out.back().tail != Tail::None) return false;
    const Tail tail = tailOf(ins, k);
    if (tail == Tail::None) return false;
    out.back().tail = tail;
    out.back().tailK = k;
    return true;
}

// The first makes products that the others take in, as the walk goes up.
constexpr Rewrite kSumsAndProducts[] = {
    // A division by a power of two whose reciprocal is a normal number runs as the product
    // by that reciprocal: both round the same exact quotient, and neither waits on a divider.
    {"reciprocals of powers of two", {Op::Div}, &reciprocalsOfPowersOfTwo},
    // x*a + k, x*a - k and k + x*a become one Horner step, still rounded twice; a run of
    // steps later goes over the samples once.
    {"Horner steps", {Op::Add, Op::Sub}, &hornerSteps},
    // a + x*k and a - x*k become one instruction; taking x*k away is adding x*(-k).
    {"terms in x", {Op::Add, Op::Sub}, &termsInX},
    // A constant added, taken or multiplied after an operation that can only overflow joins
    // its pass, rounded on its own as before.
    {"tails", {Op::Add, Op::Sub, Op::Mul}, &tails},
};

}  // namespace

void sumsAndProducts(Code& code) { walk<kSumsAndProducts>(code); }

}  // namespace tracewell::eval
