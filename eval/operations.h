#pragma once
// What each operation computes, and why it may fail.
//
// Every operation signals a failure by a result that is not finite (NaN or an infinity). The
// batch loops only test for that; a block that failed is run again with the failed samples
// tracked, asking failureKind() why, from the operands. Both runs use these same functions,
// so their values agree bit for bit.

#include <cmath>
#include <cstdint>

#include "failure.h"
#include "opcode.h"
#include "vector_math.h"

namespace tracewell::eval::ops {

constexpr double kNaN = __builtin_nan("");
constexpr double kInf = __builtin_inf();
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

// Bitwise operations on two 32-bit operands; NaN when an operand does not fit.
template <class F>
inline double bitwise(double a, double b, F f) {
    std::int64_t ia, ib;
    if (!toInt32(a, ia) || !toInt32(b, ib)) return kNaN;
    return static_cast<double>(static_cast<std::int32_t>(
        f(static_cast<std::uint32_t>(ia), static_cast<std::uint32_t>(ib))));
}

inline double powerOfTen(int n) {
    static constexpr double table[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    return table[n];
}

inline double roundTo(double v, double digits) {
    const double d = std::nearbyint(digits);
    if (!(d >= 0)) return kNaN;
    if (d > 22) return v;
    const double scale = powerOfTen(static_cast<int>(d));
    const double scaled = v * scale;
    if (!isFinite(scaled)) return v;
    return std::nearbyint(scaled) / scale;
}

template <Op op>
inline double apply(double a, double b = 0) {
    if constexpr (op == Op::Neg)
        return -a;
    else if constexpr (op == Op::Not)
        return bitwise(a, 0, [](std::uint32_t x, std::uint32_t) { return ~x; });
    else if constexpr (op == Op::Square)
        return a * a;
    else if constexpr (op == Op::Sin)
        return vm::apply(vm::Fn::Sin, a);
    else if constexpr (op == Op::Cos)
        return vm::apply(vm::Fn::Cos, a);
    else if constexpr (op == Op::Tan)
        return vm::apply(vm::Fn::Tan, a);
    else if constexpr (op == Op::Atn)
        return vm::apply(vm::Fn::Atn, a);
    else if constexpr (op == Op::Log)
        return vm::apply(vm::Fn::Log, a);  // -inf at 0, NaN below
    else if constexpr (op == Op::Exp)
        return vm::apply(vm::Fn::Exp, a);
    else if constexpr (op == Op::Abs)
        return std::fabs(a);
    else if constexpr (op == Op::Sqr)
        return std::sqrt(a);
    else if constexpr (op == Op::Sgn)
        return static_cast<double>((a > 0) - (a < 0));
    else if constexpr (op == Op::Int)
        return std::floor(a);
    else if constexpr (op == Op::Fix)
        return std::trunc(a);
    else if constexpr (op == Op::Round)
        return std::nearbyint(a);
    else if constexpr (op == Op::CInt) {
        std::int64_t i;
        return toInteger(a, -32768.0, 32767.0, i) ? static_cast<double>(i) : kNaN;
    } else if constexpr (op == Op::CLng) {
        std::int64_t i;
        return toInt32(a, i) ? static_cast<double>(i) : kNaN;
    } else if constexpr (op == Op::CSng)
        return static_cast<double>(static_cast<float>(a));
    else if constexpr (op == Op::CDbl)
        return a;
    else if constexpr (op == Op::CBool)
        return truth(a != 0);
    else if constexpr (op == Op::Add)
        return a + b;
    else if constexpr (op == Op::Sub)
        return a - b;
    else if constexpr (op == Op::Mul)
        return a * b;
    else if constexpr (op == Op::Div)
        return a / b;
    else if constexpr (op == Op::Pow)
        return std::pow(a, b);
    else if constexpr (op == Op::IntDiv || op == Op::Mod) {
        std::int64_t ia, ib;
        if (!toInt32(a, ia) || !toInt32(b, ib)) return kNaN;
        if (ib == 0) return kInf;
        // Only the lowest value divided by -1 leaves the 32-bit range; Mod never does.
        const std::int64_t r = op == Op::IntDiv ? ia / ib : ia % ib;
        return r > 2147483647 ? kNaN : static_cast<double>(r);
    } else if constexpr (op == Op::Eq)
        return truth(a == b);
    else if constexpr (op == Op::Ne)
        return truth(a != b);
    else if constexpr (op == Op::Lt)
        return truth(a < b);
    else if constexpr (op == Op::Gt)
        return truth(a > b);
    else if constexpr (op == Op::Le)
        return truth(a <= b);
    else if constexpr (op == Op::Ge)
        return truth(a >= b);
    else if constexpr (op == Op::And)
        return bitwise(a, b, [](std::uint32_t x, std::uint32_t y) { return x & y; });
    else if constexpr (op == Op::Or)
        return bitwise(a, b, [](std::uint32_t x, std::uint32_t y) { return x | y; });
    else if constexpr (op == Op::Xor)
        return bitwise(a, b, [](std::uint32_t x, std::uint32_t y) { return x ^ y; });
    else if constexpr (op == Op::Eqv)
        return bitwise(a, b, [](std::uint32_t x, std::uint32_t y) { return ~(x ^ y); });
    else if constexpr (op == Op::Imp)
        return bitwise(a, b, [](std::uint32_t x, std::uint32_t y) { return ~x | y; });
    else if constexpr (op == Op::RoundTo)
        return roundTo(a, b);
    else
        static_assert(op == Op::PushConst, "operation without semantics");
    return a;
}

// Transcendental functions run over whole arrays (see vector_math.h).
template <Op op>
constexpr bool usesVectorMath() {
    return op == Op::Sin || op == Op::Cos || op == Op::Tan || op == Op::Atn || op == Op::Exp ||
           op == Op::Log;
}
template <Op op>
constexpr vm::Fn vectorFn() {
    switch (op) {
        case Op::Sin:
            return vm::Fn::Sin;
        case Op::Cos:
            return vm::Fn::Cos;
        case Op::Tan:
            return vm::Fn::Tan;
        case Op::Atn:
            return vm::Fn::Atn;
        case Op::Exp:
            return vm::Fn::Exp;
        default:
            return vm::Fn::Log;
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
        case Op::Sqr:
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
    } else if constexpr (op == Op::Log || op == Op::Sqr) {
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
