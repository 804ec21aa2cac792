#include "kernels.h"

// Wide vectors pass only between functions inlined into code compiled for their width, so
// the compiler's note that their calling convention depends on the target has nothing to
// apply to.
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

#include <algorithm>
#include <type_traits>

#include "cpu.h"
#include "frame.h"
#include "lanes.h"
#include "operations.h"
#include "power.h"
#include "whole_numbers.h"

namespace tracewell::eval {
namespace {

// clang-format off
#define TRACEWELL_UNARY_OPS(X) \
    X(Neg) X(Not) X(Square) X(Sin) X(Cos) X(Tan) X(Atn) X(Log) X(Exp) X(Abs) X(SquareRoot) X(Sgn) \
    X(Int) X(Fix) X(Round) X(CInt) X(CLng) X(CSng) X(CDbl) X(CBool)
#define TRACEWELL_BINARY_OPS(X) \
    X(Add) X(Sub) X(Mul) X(Div) X(Pow) X(IntDiv) X(Mod) X(Eq) X(Ne) X(Lt) X(Gt) X(Le) X(Ge) \
    X(And) X(Or) X(Xor) X(Eqv) X(Imp) X(RoundTo)
// Instructions that stand for several operations; they have kernels of their own.
#define TRACEWELL_FUSED_OPS(X) X(MulXAdd) X(AddXTimes)
// clang-format on

// The plain copies' vectors: SSE2 on every x86-64 processor, and what the compiler makes of
// them elsewhere.
using Plain = lanes::V2;

template <bool exact>
unsigned notFinite(const double* v, int n) {
    return lanes::sumNotFinite<Plain, exact>(v, n);
}
template <bool exact>
TRACEWELL_TARGET_AVX2 unsigned notFiniteAvx2(const double* v, int n) {
    return lanes::sumNotFinite<lanes::V4, exact>(v, n);
}
template <bool exact>
TRACEWELL_TARGET_AVX512 unsigned notFiniteAvx512(const double* v, int n) {
    return lanes::sumNotFinite<lanes::V8, exact>(v, n);
}
using NotFiniteFn = unsigned (*)(const double*, int);
template <bool exact>
NotFiniteFn notFiniteFor() {
    return forIsa<NotFiniteFn>(&notFinite<exact>, &notFiniteAvx2<exact>, &notFiniteAvx512<exact>);
}

void pushConst(const Instruction& ins, Frame& f) { std::fill_n(f.slot(f.sp++), f.n, ins.k); }

void pushX(const Instruction&, Frame& f) { std::copy_n(f.x, f.n, f.slot(f.sp++)); }

// The loops below are written once and compiled three times: for every x86-64 processor, for
// those with AVX2, where each step handles four samples, and for those with AVX-512 (eight).

// SSE2 has no instruction that rounds, and the C library's function for each value costs more
// than the formulas that give its bits (see whole_numbers.h). The AVX copies round half to
// even in one instruction, but the compiler leaves floor and trunc one sample at a time, where
// the formulas run in vectors.
template <class V, Op op>
constexpr bool roundsInFormulas() {
    return (op == Op::Round && std::is_same_v<V, Plain>) || op == Op::Int || op == Op::Fix;
}

// The value v with the instruction's tail applied.
template <Tail tail>
[[gnu::always_inline]] inline double withTail(double v, double k) {
    if constexpr (tail == Tail::Add) return v + k;
    if constexpr (tail == Tail::Mul) return v * k;
    return v;
}

// The operand comes from the stack top (replaced by the result) or from x (result pushed).
// Only stack operands need watching: they may carry a failure that an operation could hide.
// An x that is not finite is a value like any other, failing only where an operation fails
// on it, and that operation's result is watched in its turn.
template <class V, Op op, Src A, Tail tail = Tail::None>
[[gnu::always_inline]] inline void unaryBody(const Instruction& ins, Frame& f) {
    const int n = f.n;
    const double* in = A == Src::X ? f.x : f.slot(f.sp - 1);
    double* out = A == Src::X ? f.slot(f.sp++) : f.slot(f.sp - 1);
    constexpr bool watch = A == Src::Stack && (ops::hidingOperands<op>() & 1);
    if constexpr (ops::usesVectorMath<op>()) {
        // Vector math watches its operand as it reads it, where asked.
        if constexpr (watch)
            f.bad |= vector_math::applyWatching(ops::vectorFn<op>(), in, out, n);
        else
            vector_math::apply(ops::vectorFn<op>(), in, out, n);
    } else {
        if constexpr (watch) f.bad |= lanes::mayHoldNotFinite<V>(in, n);
        if constexpr (tail == Tail::None && (ops::runsInLanes<op>() || roundsInFormulas<V, op>())) {
            const double unused = 0;
            whole::For<V>::template overArrays<op, V>(in, false, &unused, true, out, n);
        } else {
            const double k = ins.tailK;
            for (int i = 0; i < n; ++i) out[i] = withTail<tail>(ops::apply<op>(in[i]), k);
        }
    }
}

// Stack operands sit in order below the top; the result replaces the lowest one, or is pushed
// when neither operand is on the stack.
template <class V, Op op, Src L, Src R>
[[gnu::always_inline]] inline void binaryBody(const Instruction& ins, Frame& f) {
    constexpr int onStack = (L == Src::Stack) + (R == Src::Stack);
    const int n = f.n;
    const int base = f.sp - onStack;
    const double* a = L == Src::X ? f.x : f.slot(base);
    const double* b = R == Src::X ? f.x : f.slot(L == Src::Stack ? base + 1 : base);
    double* out = f.slot(base);
    const double k = ins.k;
    if constexpr (L == Src::Stack && (ops::hidingOperands<op>() & 1))
        f.bad |= lanes::mayHoldNotFinite<V>(a, n);
    if constexpr (R == Src::Stack && (ops::hidingOperands<op>() & 2))
        f.bad |= lanes::mayHoldNotFinite<V>(b, n);
    if constexpr (op == Op::Pow) {
        // Over the whole block in vectors, with the forms of its constant operand.
        power::apply(L == Src::Const ? nullptr : a, k, R == Src::Const ? nullptr : b, k, out, n);
    } else if constexpr (ops::runsInLanes<op>()) {
        whole::For<V>::template overArrays<op, V>(L == Src::Const ? &k : a, L == Src::Const,
                                                  R == Src::Const ? &k : b, R == Src::Const, out,
                                                  n);
    } else {
        for (int i = 0; i < n; ++i) {
            const double av = L == Src::Const ? k : a[i];
            const double bv = R == Src::Const ? k : b[i];
            out[i] = ops::apply<op>(av, bv);
        }
    }
    f.sp = base + 1;
}

// A run of Horner steps, several vectors of samples at a time held in registers through every
// step: one pass over the block where the steps one by one would make as many. Eight
// independent vectors keep the multiplier and the adder busy through each step's latency.
template <class V, bool fromConst>
[[gnu::always_inline]] inline void hornerBody(const Instruction& first, Frame& f) {
    constexpr int w = lanes::kWidth<V>, kChains = 8;
    const Instruction* steps = fromConst ? &first + 1 : &first;
    const int m = first.run;
    const double start = first.k;
    double* s = fromConst ? f.slot(f.sp++) : f.slot(f.sp - 1);
    const double* x = f.x;
    int i = 0;
    for (; i + kChains * w <= f.n; i += kChains * w) {
        // The product and the sum are rounded apart, as ops::mulXAdd does. Constants enter as
        // scalars: a vector built from one here comes out lane by lane.
        V acc[kChains];
        for (int j = 0; j < kChains; ++j) {
            const V xj = lanes::load<V>(x + i + j * w);
            acc[j] = (fromConst ? xj * start : xj * lanes::load<V>(s + i + j * w)) + steps[0].k;
        }
        for (int k = 1; k < m; ++k) {
            const double c = steps[k].k;
            for (int j = 0; j < kChains; ++j) acc[j] = lanes::load<V>(x + i + j * w) * acc[j] + c;
        }
        for (int j = 0; j < kChains; ++j) lanes::store(s + i + j * w, acc[j]);
    }
    for (; i < f.n; ++i) {
        double a = fromConst ? start : s[i];
        for (int k = 0; k < m; ++k) a = ops::mulXAdd(x[i], a, steps[k].k);
        s[i] = a;
    }
}
template <bool fromConst>
void hornerKernel(const Instruction& ins, Frame& f) {
    hornerBody<lanes::V2, fromConst>(ins, f);
}
template <bool fromConst>
TRACEWELL_TARGET_AVX2 void hornerKernelAvx2(const Instruction& ins, Frame& f) {
    hornerBody<lanes::V4, fromConst>(ins, f);
}
template <bool fromConst>
TRACEWELL_TARGET_AVX512 void hornerKernelAvx512(const Instruction& ins, Frame& f) {
    hornerBody<lanes::V8, fromConst>(ins, f);
}
// The later steps of a run: the first instruction did their work.
void doneInRun(const Instruction&, Frame&) {}

template <bool fromConst>
Kernel hornerFor() {
    return forIsa<Kernel>(&hornerKernel<fromConst>, &hornerKernelAvx2<fromConst>,
                          &hornerKernelAvx512<fromConst>);
}

// A term k*x added to the stack top, in one pass where the product pushed and then added
// would make two.
template <Tail tail>
[[gnu::always_inline]] inline void addXTimesBody(const Instruction& ins, Frame& f) {
    double* s = f.slot(f.sp - 1);
    const double* x = f.x;
    const double k = ins.k, tk = ins.tailK;
    for (int i = 0; i < f.n; ++i) s[i] = withTail<tail>(ops::addXTimes(s[i], x[i], k), tk);
}
template <Tail tail>
void addXTimesKernel(const Instruction& ins, Frame& f) {
    addXTimesBody<tail>(ins, f);
}
template <Tail tail>
TRACEWELL_TARGET_AVX2 void addXTimesKernelAvx2(const Instruction& ins, Frame& f) {
    addXTimesBody<tail>(ins, f);
}
template <Tail tail>
TRACEWELL_TARGET_AVX512 void addXTimesKernelAvx512(const Instruction& ins, Frame& f) {
    addXTimesBody<tail>(ins, f);
}
template <Tail tail>
Kernel addXTimesFor() {
    return forIsa<Kernel>(&addXTimesKernel<tail>, &addXTimesKernelAvx2<tail>,
                          &addXTimesKernelAvx512<tail>);
}

template <Op op, Src A, Tail tail>
void unaryKernel(const Instruction& ins, Frame& f) {
    unaryBody<Plain, op, A, tail>(ins, f);
}
template <Op op, Src A, Tail tail>
TRACEWELL_TARGET_AVX2 void unaryKernelAvx2(const Instruction& ins, Frame& f) {
    unaryBody<lanes::V4, op, A, tail>(ins, f);
}
template <Op op, Src A, Tail tail>
TRACEWELL_TARGET_AVX512 void unaryKernelAvx512(const Instruction& ins, Frame& f) {
    unaryBody<lanes::V8, op, A, tail>(ins, f);
}
template <Op op, Src L, Src R>
void binaryKernel(const Instruction& ins, Frame& f) {
    binaryBody<Plain, op, L, R>(ins, f);
}
template <Op op, Src L, Src R>
TRACEWELL_TARGET_AVX2 void binaryKernelAvx2(const Instruction& ins, Frame& f) {
    binaryBody<lanes::V4, op, L, R>(ins, f);
}
template <Op op, Src L, Src R>
TRACEWELL_TARGET_AVX512 void binaryKernelAvx512(const Instruction& ins, Frame& f) {
    binaryBody<lanes::V8, op, L, R>(ins, f);
}

template <Op op, Src A, Tail tail>
Kernel unaryFor() {
    return forIsa<Kernel>(&unaryKernel<op, A, tail>, &unaryKernelAvx2<op, A, tail>,
                          &unaryKernelAvx512<op, A, tail>);
}

template <Op op, Tail tail>
Kernel unaryFor(Src a) {
    return a == Src::X ? unaryFor<op, Src::X, tail>() : unaryFor<op, Src::Stack, tail>();
}

// Only the operations that take a tail have kernels for one.
template <Op op>
Kernel unaryFor(const Instruction& ins) {
    if constexpr (takesTail(op)) {
        if (ins.tail == Tail::Add) return unaryFor<op, Tail::Add>(ins.lhs);
        if (ins.tail == Tail::Mul) return unaryFor<op, Tail::Mul>(ins.lhs);
    }
    return unaryFor<op, Tail::None>(ins.lhs);
}

template <Op op, Src L, Src R>
Kernel binaryFor() {
    return forIsa<Kernel>(&binaryKernel<op, L, R>, &binaryKernelAvx2<op, L, R>,
                          &binaryKernelAvx512<op, L, R>);
}

template <Op op, Src L>
Kernel binaryWithLeft(Src r) {
    switch (r) {
        case Src::Stack:
            return binaryFor<op, L, Src::Stack>();
        case Src::Const:
            return binaryFor<op, L, Src::Const>();
        case Src::X:
            return binaryFor<op, L, Src::X>();
    }
    return nullptr;
}

template <Op op>
Kernel binaryFor(Src l, Src r) {
    switch (l) {
        case Src::Stack:
            return binaryWithLeft<op, Src::Stack>(r);
        case Src::Const:
            return binaryWithLeft<op, Src::Const>(r);
        case Src::X:
            return binaryWithLeft<op, Src::X>(r);
    }
    return nullptr;
}

template <Op op>
FailureKindFn failureFor() {
    if constexpr (!ops::canFail<op>()) return nullptr;
    return [](double a, double b) { return ops::failureKind<op>(a, b); };
}

}  // namespace

Kernel kernelFor(const Instruction& ins) {
    switch (ins.op) {
        case Op::PushConst:
            return ins.run ? hornerFor<true>() : &pushConst;
        case Op::PushX:
            return &pushX;
        case Op::MulXAdd:
            return ins.run ? hornerFor<false>() : &doneInRun;
        case Op::AddXTimes:
            if (ins.tail == Tail::Add) return addXTimesFor<Tail::Add>();
            if (ins.tail == Tail::Mul) return addXTimesFor<Tail::Mul>();
            return addXTimesFor<Tail::None>();
#define TRACEWELL_CASE(name) \
    case Op::name:           \
        return unaryFor<Op::name>(ins);
            TRACEWELL_UNARY_OPS(TRACEWELL_CASE)
#undef TRACEWELL_CASE
#define TRACEWELL_CASE(name) \
    case Op::name:           \
        return binaryFor<Op::name>(ins.lhs, ins.rhs);
            TRACEWELL_BINARY_OPS(TRACEWELL_CASE)
#undef TRACEWELL_CASE
    }
    return nullptr;
}

FailureKindFn failureKindFor(const Instruction& ins) {
    // A tail can only overflow, and the operations that take one can only overflow or never
    // fail.
    if (ins.tail != Tail::None) return [](double, double) { return Failure::Overflow; };
    switch (ins.op) {
        case Op::PushConst:
        case Op::PushX:
            return nullptr;
#define TRACEWELL_CASE(name) \
    case Op::name:           \
        return failureFor<Op::name>();
            TRACEWELL_UNARY_OPS(TRACEWELL_CASE)
            TRACEWELL_BINARY_OPS(TRACEWELL_CASE)
            TRACEWELL_FUSED_OPS(TRACEWELL_CASE)
#undef TRACEWELL_CASE
    }
    return nullptr;
}

Watch watchFor(Op op) {
    switch (op) {
        case Op::PushConst:
        case Op::PushX:
            return {};
#define TRACEWELL_CASE(name) \
    case Op::name:           \
        return {ops::kindReadsOperands<Op::name>(), ops::hidingOperands<Op::name>()};
            TRACEWELL_UNARY_OPS(TRACEWELL_CASE)
            TRACEWELL_BINARY_OPS(TRACEWELL_CASE)
            TRACEWELL_FUSED_OPS(TRACEWELL_CASE)
#undef TRACEWELL_CASE
    }
    return {};
}

unsigned anyNotFinite(const double* v, int n) {
    static const NotFiniteFn fn = notFiniteFor<true>();
    return fn(v, n);
}
unsigned mayHoldNotFinite(const double* v, int n) {
    static const NotFiniteFn fn = notFiniteFor<false>();
    return fn(v, n);
}

double applyOp(Op op, double a, double b) {
    switch (op) {
        case Op::PushConst:
        case Op::PushX:
            return a;
        case Op::MulXAdd:
        case Op::AddXTimes:
            return ops::kNaN;  // reads x: never folded
#define TRACEWELL_CASE(name) \
    case Op::name:           \
        return ops::apply<Op::name>(a, b);
            TRACEWELL_UNARY_OPS(TRACEWELL_CASE)
            TRACEWELL_BINARY_OPS(TRACEWELL_CASE)
#undef TRACEWELL_CASE
    }
    return ops::kNaN;
}

}  // namespace tracewell::eval
