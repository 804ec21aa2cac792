#include "kernels.h"

#include <algorithm>

#include "frame.h"
#include "operations.h"

namespace tracewell::eval {
namespace {

#define TRACEWELL_UNARY_OPS(X)                                                                    \
    X(Neg) X(Not) X(Square) X(Sin) X(Cos) X(Tan) X(Atn) X(Log) X(Exp) X(Abs) X(Sqr) X(Sgn) X(Int) \
        X(Fix) X(Round) X(CInt) X(CLng) X(CSng) X(CDbl) X(CBool)
#define TRACEWELL_BINARY_OPS(X)                                                                 \
    X(Add) X(Sub) X(Mul) X(Div) X(Pow) X(IntDiv) X(Mod) X(Eq) X(Ne) X(Lt) X(Gt) X(Le) X(Ge) X(And) \
        X(Or) X(Xor) X(Eqv) X(Imp) X(RoundTo)

void pushConst(const Instruction& ins, Frame& f) {
    std::fill_n(f.slot(f.sp++), f.n, ins.k);
}

void pushX(const Instruction&, Frame& f) {
    std::copy_n(f.x, f.n, f.slot(f.sp++));
}

template <Op op>
inline void noteResult(double r, unsigned& bad) {
    if constexpr (ops::canFail<op>()) bad |= !ops::isFinite(r);
}

// The operand comes from the stack top (in place) or from x (pushed).
template <Op op, Src A>
void unaryKernel(const Instruction&, Frame& f) {
    const int n = f.n;
    const double* in = A == Src::X ? f.x : f.slot(f.sp - 1);
    double* out = A == Src::X ? f.slot(f.sp++) : f.slot(f.sp - 1);
    unsigned bad = 0;
    for (int i = 0; i < n; ++i) {
        const double r = ops::apply<op>(in[i]);
        out[i] = r;
        noteResult<op>(r, bad);
    }
    f.bad |= bad;
}

// Stack operands sit in order below the top; the result replaces the lowest one, or is pushed
// when neither operand is on the stack.
template <Op op, Src L, Src R>
void binaryKernel(const Instruction& ins, Frame& f) {
    constexpr int onStack = (L == Src::Stack) + (R == Src::Stack);
    const int n = f.n;
    const int base = f.sp - onStack;
    const double* a = L == Src::X ? f.x : f.slot(base);
    const double* b = R == Src::X ? f.x : f.slot(L == Src::Stack ? base + 1 : base);
    double* out = f.slot(base);
    const double k = ins.k;
    unsigned bad = 0;
    for (int i = 0; i < n; ++i) {
        const double av = L == Src::Const ? k : a[i];
        const double bv = R == Src::Const ? k : b[i];
        const double r = ops::apply<op>(av, bv);
        out[i] = r;
        noteResult<op>(r, bad);
    }
    f.sp = base + 1;
    f.bad |= bad;
}

template <Op op>
Kernel unaryFor(Src a) {
    return a == Src::X ? &unaryKernel<op, Src::X> : &unaryKernel<op, Src::Stack>;
}

template <Op op, Src L>
Kernel binaryWithLeft(Src r) {
    switch (r) {
        case Src::Stack: return &binaryKernel<op, L, Src::Stack>;
        case Src::Const: return &binaryKernel<op, L, Src::Const>;
        case Src::X: return &binaryKernel<op, L, Src::X>;
    }
    return nullptr;
}

template <Op op>
Kernel binaryFor(Src l, Src r) {
    switch (l) {
        case Src::Stack: return binaryWithLeft<op, Src::Stack>(r);
        case Src::Const: return binaryWithLeft<op, Src::Const>(r);
        case Src::X: return binaryWithLeft<op, Src::X>(r);
    }
    return nullptr;
}

template <Op op>
Failure unaryFailure(double a, double) {
    return ops::failureKind<op>(a);
}

template <Op op>
Failure binaryFailure(double a, double b) {
    return ops::failureKind<op>(a, b);
}

Failure neverFails(double, double) { return Failure::Overflow; }

}  // namespace

Kernel kernelFor(const Instruction& ins) {
    switch (ins.op) {
        case Op::PushConst: return &pushConst;
        case Op::PushX: return &pushX;
#define TRACEWELL_CASE(name) \
    case Op::name: return unaryFor<Op::name>(ins.lhs);
        TRACEWELL_UNARY_OPS(TRACEWELL_CASE)
#undef TRACEWELL_CASE
#define TRACEWELL_CASE(name) \
    case Op::name: return binaryFor<Op::name>(ins.lhs, ins.rhs);
        TRACEWELL_BINARY_OPS(TRACEWELL_CASE)
#undef TRACEWELL_CASE
    }
    return nullptr;
}

FailureKindFn failureKindFor(Op op) {
    switch (op) {
        case Op::PushConst:
        case Op::PushX: return &neverFails;
#define TRACEWELL_CASE(name) \
    case Op::name: return &unaryFailure<Op::name>;
        TRACEWELL_UNARY_OPS(TRACEWELL_CASE)
#undef TRACEWELL_CASE
#define TRACEWELL_CASE(name) \
    case Op::name: return &binaryFailure<Op::name>;
        TRACEWELL_BINARY_OPS(TRACEWELL_CASE)
#undef TRACEWELL_CASE
    }
    return &neverFails;
}

double applyOp(Op op, double a, double b) {
    switch (op) {
        case Op::PushConst:
        case Op::PushX: return a;
#define TRACEWELL_CASE(name) \
    case Op::name: return ops::apply<Op::name>(a, b);
        TRACEWELL_UNARY_OPS(TRACEWELL_CASE)
        TRACEWELL_BINARY_OPS(TRACEWELL_CASE)
#undef TRACEWELL_CASE
    }
    return ops::kNaN;
}

}  // namespace tracewell::eval
