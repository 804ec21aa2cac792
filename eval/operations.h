#pragma once
// What each operation computes, and why it may fail.
//
// Every operation signals a failure by a result that is not finite (NaN or an infinity). The
// batch loops only test for that; a block that failed is run again with the failed samples
// tracked, asking failureKind() why, from the operands. Both runs use these same functions,
// so their values agree bit for bit.

#include <cmath>
#include <cstdint>
#include <limits>

#include "failure.h"
#include "opcode.h"
#include "power.h"
#include "powers_of_ten.h"
#include "vector_math.h"
#include "whole_numbers.h"

namespace tracewell::eval::ops {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kTrue = -1.0;
constexpr double kFalse = 0.0;

inline bool isFinite(double v) { return std::fabs(v) <= 1.7976931348623157e308; }

// Whole-number operands are rounded half to even and must fit their width.
inline bool toInteger(double v, double lo, double hi, std::int64_t& out) {
    const double r = std::nearbyint(v);
    if (!(r >= lo && r <= hi)) return false;  // NaN fails here too
    out = static_cast<std::int64_t>(r);
    return true;
}
inline bool toInt32(double v, std::int64_t& out) {
    return toInteger(v, -2147483648.0, 2147483647.0, out);
}

inline double truth(bool b) { return b ? kTrue : kFalse; }

inline double roundTo(double v, double digits) {
    const double d = std::nearbyint(digits);
    if (!(d >= 0)) return kNaN;
    if (d >= kExactPowersOfTen) return v;
    const double scale = kPowersOfTen[static_cast<int>(d)];
    const double scaled = v * scale;
    if (!isFinite(scaled)) return v;
    return std::nearbyint(scaled) / scale;
}

// The operations written for vectors of samples as well as for one (whole_numbers.h).
template <Op op>
constexpr bool runsInLanes() {
    switch (op) {
        case Op::Not:
        case Op::CInt:
        case Op::CLng:
        case Op::IntDiv:
        case Op::Mod:
        case Op::And:
        case Op::Or:
        case Op::Xor:
        case Op::Eqv:
        case Op::Imp:
            return true;
        default:
            return false;
    }
}
template <Op op>
inline double inLanes(double a, double b) {
    static_assert(runsInLanes<op>());
    return whole::Plain::operation<op>(a, b);
}

// One overload per operation, told apart by its tag; apply<op>() below picks one when it is
// compiled, and an operation without one does not compile. Unary operations ignore b.
template <Op op>
struct Tag {};

inline double apply(Tag<Op::Neg>, double a, double) { return -a; }
inline double apply(Tag<Op::Not>, double a, double) { return inLanes<Op::Not>(a, 0.0); }
inline double apply(Tag<Op::Square>, double a, double) { return a * a; }
inline double apply(Tag<Op::Sin>, double a, double) {
    return vector_math::apply(vector_math::Fn::Sin, a);
}
inline double apply(Tag<Op::Cos>, double a, double) {
    return vector_math::apply(vector_math::Fn::Cos, a);
}
inline double apply(Tag<Op::Tan>, double a, double) {
    return vector_math::apply(vector_math::Fn::Tan, a);
}
inline double apply(Tag<Op::Atn>, double a, double) {
    return vector_math::apply(vector_math::Fn::Atn, a);
}
inline double apply(Tag<Op::Log>, double a, double) {
    return vector_math::apply(vector_math::Fn::Log, a);  // -inf at 0, NaN below
}
inline double apply(Tag<Op::Exp>, double a, double) {
    return vector_math::apply(vector_math::Fn::Exp, a);
}
inline double apply(Tag<Op::Abs>, double a, double) { return std::fabs(a); }
inline double apply(Tag<Op::SquareRoot>, double a, double) { return std::sqrt(a); }
inline double apply(Tag<Op::Sgn>, double a, double) {
    return static_cast<double>((a > 0) - (a < 0));
}
inline double apply(Tag<Op::Int>, double a, double) { return std::floor(a); }
inline double apply(Tag<Op::Fix>, double a, double) { return std::trunc(a); }
inline double apply(Tag<Op::Round>, double a, double) { return std::nearbyint(a); }
inline double apply(Tag<Op::CInt>, double a, double) { return inLanes<Op::CInt>(a, 0.0); }
inline double apply(Tag<Op::CLng>, double a, double) { return inLanes<Op::CLng>(a, 0.0); }
inline double apply(Tag<Op::CSng>, double a, double) {
    return static_cast<double>(static_cast<float>(a));
}
inline double apply(Tag<Op::CDbl>, double a, double) { return a; }
inline double apply(Tag<Op::CBool>, double a, double) { return truth(a != 0); }
inline double apply(Tag<Op::Add>, double a, double b) { return a + b; }
inline double apply(Tag<Op::Sub>, double a, double b) { return a - b; }
inline double apply(Tag<Op::Mul>, double a, double b) { return a * b; }
inline double apply(Tag<Op::Div>, double a, double b) { return a / b; }
// A power is the same function of its operands wherever it is computed (see power.h): a
// square, say, is one rounded product whether folded from constants, with an exponent that
// comes to 2, or as the x^2 instruction.
inline double apply(Tag<Op::Pow>, double a, double b) { return power::apply(a, b); }
inline double apply(Tag<Op::IntDiv>, double a, double b) { return inLanes<Op::IntDiv>(a, b); }
inline double apply(Tag<Op::Mod>, double a, double b) { return inLanes<Op::Mod>(a, b); }
inline double apply(Tag<Op::Eq>, double a, double b) { return truth(a == b); }
inline double apply(Tag<Op::Ne>, double a, double b) { return truth(a != b); }
inline double apply(Tag<Op::Lt>, double a, double b) { return truth(a < b); }
inline double apply(Tag<Op::Gt>, double a, double b) { return truth(a > b); }
inline double apply(Tag<Op::Le>, double a, double b) { return truth(a <= b); }
inline double apply(Tag<Op::Ge>, double a, double b) { return truth(a >= b); }
inline double apply(Tag<Op::And>, double a, double b) { return inLanes<Op::And>(a, b); }
inline double apply(Tag<Op::Or>, double a, double b) { return inLanes<Op::Or>(a, b); }
inline double apply(Tag<Op::Xor>, double a, double b) { return inLanes<Op::Xor>(a, b); }
inline double apply(Tag<Op::Eqv>, double a, double b) { return inLanes<Op::Eqv>(a, b); }
inline double apply(Tag<Op::Imp>, double a, double b) { return inLanes<Op::Imp>(a, b); }
inline double apply(Tag<Op::RoundTo>, double a, double b) { return roundTo(a, b); }

template <Op op>
inline double apply(double a, double b = 0) {
    return apply(Tag<op>{}, a, b);
}

// Transcendental functions run over whole arrays (see vector_math.h).
template <Op op>
constexpr bool usesVectorMath() {
    return op == Op::Sin || op == Op::Cos || op == Op::Tan || op == Op::Atn || op == Op::Exp ||
           op == Op::Log;
}
template <Op op>
constexpr vector_math::Fn vectorFn() {
    switch (op) {
        case Op::Sin:
            return vector_math::Fn::Sin;
        case Op::Cos:
            return vector_math::Fn::Cos;
        case Op::Tan:
            return vector_math::Fn::Tan;
        case Op::Atn:
            return vector_math::Fn::Atn;
        case Op::Exp:
            return vector_math::Fn::Exp;
        default:
            return vector_math::Fn::Log;
    }
}

// Operands through which a value that is not finite can give a finite result (1/inf is 0,
// Atn(inf) is pi/2, 1^NaN is 1, a comparison is a truth value): bit 0 the left operand (or
// the only one), bit 1 the right one. Every other operation passes such a value on, so a
// batch that watches these operands and the final result misses no failed sample.
template <Op op>
constexpr unsigned hidingOperands() {
    if (isComparison(op)) return 3;
    switch (op) {
        case Op::Atn:
        case Op::Exp:
        case Op::Sgn:
        case Op::CBool:
            return 1;
        case Op::Div:
        case Op::RoundTo:
            return 2;
        case Op::Pow:
            return 3;
        default:
            return 0;
    }
}

// Operations whose finite operands always give a finite result never fail.
template <Op op>
constexpr bool canFail() {
    if (isComparison(op)) return false;
    switch (op) {
        case Op::Neg:
        case Op::Abs:
        case Op::Sgn:
        case Op::Int:
        case Op::Fix:
        case Op::Round:
        case Op::CDbl:
        case Op::CBool:
        case Op::Atn:
            return false;
        default:
            return true;
    }
}

// Operations whose failure kind depends on their operands; every other one can only
// overflow.
template <Op op>
constexpr bool kindReadsOperands() {
    switch (op) {
        case Op::Div:
        case Op::Pow:
        case Op::Log:
        case Op::SquareRoot:
        case Op::Sin:
        case Op::Cos:
        case Op::Tan:
        case Op::IntDiv:
        case Op::Mod:
        case Op::RoundTo:
            return true;
        default:
            return false;
    }
}

// x*a + k, each rounded: no fused multiply-add, which would round once.
inline double mulXAdd(double x, double a, double k) {
    const double product = x * a;
    return product + k;
}

// a + x*k, each rounded, as the two operations it stands for.
inline double addXTimes(double a, double x, double k) {
    const double product = x * k;
    return a + product;
}

// Why apply<op>(a, b) gave a result that is not finite.
template <Op op>
inline Failure failureKind(double a, double b = 0) {
    std::int64_t ia, ib;
    if constexpr (!kindReadsOperands<op>()) {
        return Failure::Overflow;
    } else if constexpr (op == Op::Div) {
        if (b == 0) return a == 0 ? Failure::Overflow : Failure::DivisionByZero;
    } else if constexpr (op == Op::Pow) {
        if (a == 0 && b < 0) return Failure::DivisionByZero;
        if (a < 0 && b != std::trunc(b)) return Failure::InvalidArgument;
    } else if constexpr (op == Op::Log || op == Op::SquareRoot) {
        if (a < 0 || (op == Op::Log && a == 0)) return Failure::InvalidArgument;
    } else if constexpr (op == Op::Sin || op == Op::Cos || op == Op::Tan) {
        if (std::isinf(a)) return Failure::InvalidArgument;
    } else if constexpr (op == Op::IntDiv || op == Op::Mod) {
        if (toInt32(a, ia) && toInt32(b, ib) && ib == 0) return Failure::DivisionByZero;
    } else if constexpr (op == Op::RoundTo) {
        if (!(std::nearbyint(b) >= 0)) return Failure::InvalidArgument;
    }
    return Failure::Overflow;
}

}  // namespace tracewell::eval::ops
