#include "power.h"

// Wide vectors pass only between functions inlined into code compiled for their width, so
// the compiler's note that their calling convention depends on the target has nothing to
// apply to.
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "cpu.h"
#include "frame.h"
#include "libmvec.h"

namespace tracewell::eval::power {
namespace {

constexpr int kChunk = kBlock;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The exponents with a form of their own.
enum class Form { General, Square, Cube, Fourth, Reciprocal, InverseSquare, InverseCube, Root };

// formOf(b) != Form::General.
[[gnu::always_inline]] inline bool hasForm(double b) {
    return (b == 2) | (b == 3) | (b == 4) | (b == -1) | (b == -2) | (b == -3) | (b == 0.5);
}

Form formOf(double b) {
    if (b == 2) return Form::Square;
    if (b == 3) return Form::Cube;
    if (b == 4) return Form::Fourth;
    if (b == -1) return Form::Reciprocal;
    if (b == -2) return Form::InverseSquare;
    if (b == -3) return Form::InverseCube;
    if (b == 0.5) return Form::Root;
    return Form::General;
}

constexpr double exponentOf(Form f) {
    switch (f) {
        case Form::Square:
            return 2;
        case Form::Cube:
            return 3;
        case Form::Fourth:
            return 4;
        case Form::Reciprocal:
            return -1;
        case Form::InverseSquare:
            return -2;
        case Form::InverseCube:
            return -3;
        case Form::Root:
            return 0.5;
        case Form::General:
            break;
    }
    return kNaN;
}

// Each rounding adds at most one unit in the last place to the relative error, and squaring
// doubles what came before: a*a*a within 2, (a*a)*(a*a) and 1/(a*a*a) within 3, which with
// pow's own half unit stays within 4. + 0.0 makes the root of -0 the +0 that pow gives.
template <Form f>
[[gnu::always_inline]] inline double product(double a) {
    if constexpr (f == Form::Square) return a * a;
    if constexpr (f == Form::Cube) return a * a * a;
    if constexpr (f == Form::Fourth) {
        const double s = a * a;
        return s * s;
    }
    if constexpr (f == Form::Reciprocal) return 1 / a;
    if constexpr (f == Form::InverseSquare) return 1 / (a * a);
    if constexpr (f == Form::InverseCube) return 1 / (a * a * a);
    if constexpr (f == Form::Root) return std::sqrt(a) + 0.0;
    return kNaN;
}

// Where the products keep their bound: away from the ends of the double range, where a
// rounding may overflow a result that pow gives finite, or a subnormal step loses bits.
[[gnu::always_inline]] inline bool productHolds(double v) {
    const double m = std::fabs(v);
    return m >= 0x1p-1021 && m <= 0x1p1020;
}
constexpr bool isProduct(Form f) {
    return f != Form::General && f != Form::Square && f != Form::Root;
}

// a^b for an exponent with a form of its own, one sample.
template <Form f>
double formValue(double a) {
    const double v = product<f>(a);
    if constexpr (isProduct(f))
        if (!productHolds(v)) return std::pow(a, exponentOf(f));
    return v;
}
// The loops below are written for the compiler to vectorize in each copy for a register
// width: no branch, and flags gathered in whole numbers (a bool gathered across a loop stops
// it). power.cpp is compiled with -fno-trapping-math, which lets the compiler compute both
// sides of a choice; nothing here reads the floating-point flags.

// A form over an array that out does not overlap; the samples near the ends of the range are
// taken again one by one, as formValue takes them.
template <Form f>
[[gnu::always_inline]] inline void formLoop(const double* a, double* out, int n) {
    std::int64_t edge = 0;
    for (int i = 0; i < n; ++i) {
        const double v = product<f>(a[i]);
        if constexpr (isProduct(f)) edge |= productHolds(v) ? 0 : 1;
        out[i] = v;
    }
    if (edge)
        for (int i = 0; i < n; ++i)
            if (!productHolds(out[i])) out[i] = formValue<f>(a[i]);
}
[[gnu::always_inline]] inline void formLoop(Form f, const double* a, double* out, int n) {
    switch (f) {
        case Form::Square:
            return formLoop<Form::Square>(a, out, n);
        case Form::Cube:
            return formLoop<Form::Cube>(a, out, n);
        case Form::Fourth:
            return formLoop<Form::Fourth>(a, out, n);
        case Form::Reciprocal:
            return formLoop<Form::Reciprocal>(a, out, n);
        case Form::InverseSquare:
            return formLoop<Form::InverseSquare>(a, out, n);
        case Form::InverseCube:
            return formLoop<Form::InverseCube>(a, out, n);
        case Form::Root:
            return formLoop<Form::Root>(a, out, n);
        case Form::General:
            break;
    }
}

// The whole number nearest m >= 0, through 2^52 (no instruction that plain x86-64 lacks):
// from 2^52 on every double is whole.
[[gnu::always_inline]] inline double nearestWhole(double m) {
    return m >= 0x1p52 ? m : (m + 0x1p52) - 0x1p52;
}

// r = |a|^b (never negative) becomes a^b: the sign of a for an odd exponent, NaN for a
// negative base and an exponent that is not whole. From 2^53 on every double is even.
[[gnu::always_inline]] inline void signs(const double* a, const double* b, double* r, int n) {
    for (int i = 0; i < n; ++i) {
        const double m = std::fabs(b[i]), half = m * 0.5;
        const bool whole = nearestWhole(m) == m;
        const bool odd = nearestWhole(half) != half;  // of a whole exponent
        const double v = odd ? std::copysign(r[i], a[i]) : r[i];
        const double other = a[i] < 0 ? kNaN : r[i];
        r[i] = whole ? v : other;
    }
}
// The same for an exponent b in every sample, decided once.
[[gnu::always_inline]] inline void signs(const double* a, double b, double* r, int n) {
    const double m = std::fabs(b), half = m * 0.5;
    if (nearestWhole(m) != m) {
        for (int i = 0; i < n; ++i) r[i] = a[i] < 0 ? kNaN : r[i];
    } else if (nearestWhole(half) != half) {
        for (int i = 0; i < n; ++i) r[i] = std::copysign(r[i], a[i]);
    }
}

// a^b for an exponent b with a form of its own, one sample.
double formValue(double a, double b) {
    double r = kNaN;
    formLoop(formOf(b), &a, &r, 1);
    return r;
}

// Whether any of b[0..n) has a form of its own.
[[gnu::always_inline]] inline bool anyForm(const double* b, int n) {
    std::int64_t any = 0;
    for (int i = 0; i < n; ++i) any |= hasForm(b[i]) ? 1 : 0;
    return any != 0;
}
[[gnu::always_inline]] inline bool anyTwo(const double* a, int n) {
    std::int64_t any = 0;
    for (int i = 0; i < n; ++i) any |= a[i] == 2 ? 1 : 0;
    return any != 0;
}

using PairFn = void (*)(const double*, const double*, double*, int);
using ArrayFn = void (*)(const double*, double*, int);

// a^b for up to kChunk samples. vpow(base, exponent) and vexp2 are the vector functions of
// the level that runs.
template <PairFn vpow, ArrayFn vexp2>
[[gnu::always_inline]] inline void run(const double* a, double ka, const double* b, double kb,
                                       double* out, int n) {
    double ownA[kChunk], ownB[kChunk];
    // An operand as an array that out does not overlap.
    auto own = [&](const double* p, double k, double* copy) -> const double* {
        if (!p) {
            std::fill_n(copy, n, k);
            return copy;
        }
        if (p != out) return p;
        std::copy_n(p, n, copy);
        return copy;
    };
    const Form constantForm = b ? Form::General : formOf(kb);
    if (constantForm != Form::General) return formLoop(constantForm, own(a, ka, ownA), out, n);
    const double* av = own(a, ka, ownA);
    const double* bv = own(b, kb, ownB);
    if (!a && ka == 2) {
        vexp2(bv, out, n);
    } else {
        double base[kChunk];
        for (int i = 0; i < n; ++i) base[i] = std::fabs(av[i]);
        vpow(base, bv, out, n);
        // A base of 2 among the samples (a constant one went to exp2 above).
        if (a && anyTwo(av, n)) {
            double e[kChunk];
            vexp2(bv, e, n);
            for (int i = 0; i < n; ++i) out[i] = av[i] == 2 ? e[i] : out[i];
        }
        if (a || std::signbit(ka) || ka != ka) {
            if (b)
                signs(av, bv, out, n);
            else
                signs(av, kb, out, n);
        }
    }
    if (!b || !anyForm(bv, n)) return;
    for (int i = 0; i < n; ++i) {
        if (hasForm(bv[i])) out[i] = formValue(av[i], bv[i]);
    }
}

#ifdef TRACEWELL_LIBMVEC
// One loop for every register width: V is the vector type F takes, one or two of them. The
// samples short of a whole vector go through a zero-padded one, so a value never depends on
// how samples were grouped.
template <class V, auto F, bool pair>
[[gnu::always_inline]] inline void callOnce(const double* a, const double* b, double* out,
                                            std::size_t bytes) {
    V x = {}, y = {}, r;
    std::memcpy(&x, a, bytes);
    if constexpr (pair) {
        std::memcpy(&y, b, bytes);
        r = F(x, y);
    } else {
        r = F(x);
    }
    std::memcpy(out, &r, bytes);
}
template <class V, auto F, bool pair>
[[gnu::always_inline]] inline void overArrays(const double* a, const double* b, double* out,
                                              int n) {
    constexpr int w = sizeof(V) / sizeof(double);
    int i = 0;
    for (; i + w <= n; i += w) callOnce<V, F, pair>(a + i, b + i, out + i, sizeof(V));
    if (i < n) {
        const std::size_t rest = sizeof(double) * static_cast<std::size_t>(n - i);
        callOnce<V, F, pair>(a + i, b + i, out + i, rest);
    }
}

// The vector function ABI of glibc: 'b' two doubles in SSE registers, 'd' four in AVX2 ones,
// 'e' eight in AVX-512 ones; "vv" takes two vectors.
extern "C" {
__m128d _ZGVbN2vv_pow(__m128d, __m128d);
__m128d _ZGVbN2v_exp2(__m128d);
__m256d _ZGVdN4vv_pow(__m256d, __m256d);
__m256d _ZGVdN4v_exp2(__m256d);
__m512d _ZGVeN8vv_pow(__m512d, __m512d);
__m512d _ZGVeN8v_exp2(__m512d);
}

void powSse(const double* a, const double* b, double* out, int n) {
    overArrays<__m128d, _ZGVbN2vv_pow, true>(a, b, out, n);
}
void exp2Sse(const double* b, double* out, int n) {
    overArrays<__m128d, _ZGVbN2v_exp2, false>(b, b, out, n);
}
TRACEWELL_TARGET_AVX2 void powAvx2(const double* a, const double* b, double* out, int n) {
    overArrays<__m256d, _ZGVdN4vv_pow, true>(a, b, out, n);
}
TRACEWELL_TARGET_AVX2 void exp2Avx2(const double* b, double* out, int n) {
    overArrays<__m256d, _ZGVdN4v_exp2, false>(b, b, out, n);
}
TRACEWELL_TARGET_AVX512 void powAvx512(const double* a, const double* b, double* out, int n) {
    overArrays<__m512d, _ZGVeN8vv_pow, true>(a, b, out, n);
}
TRACEWELL_TARGET_AVX512 void exp2Avx512(const double* b, double* out, int n) {
    overArrays<__m512d, _ZGVeN8v_exp2, false>(b, b, out, n);
}
#else
// Without the C library's vector math: its scalar functions, at every level.
void powScalar(const double* a, const double* b, double* out, int n) {
    for (int i = 0; i < n; ++i) out[i] = std::pow(a[i], b[i]);
}
void exp2Scalar(const double* b, double* out, int n) {
    for (int i = 0; i < n; ++i) out[i] = std::exp2(b[i]);
}
#define powSse powScalar
#define exp2Sse exp2Scalar
#define powAvx2 powScalar
#define exp2Avx2 exp2Scalar
#define powAvx512 powScalar
#define exp2Avx512 exp2Scalar
#endif

using RunFn = void (*)(const double*, double, const double*, double, double*, int);

void runPlain(const double* a, double ka, const double* b, double kb, double* out, int n) {
    run<&powSse, &exp2Sse>(a, ka, b, kb, out, n);
}
TRACEWELL_TARGET_AVX2 void runAvx2(const double* a, double ka, const double* b, double kb,
                                   double* out, int n) {
    run<&powAvx2, &exp2Avx2>(a, ka, b, kb, out, n);
}
TRACEWELL_TARGET_AVX512 void runAvx512(const double* a, double ka, const double* b, double kb,
                                       double* out, int n) {
    run<&powAvx512, &exp2Avx512>(a, ka, b, kb, out, n);
}

}  // namespace

void apply(const double* a, double ka, const double* b, double kb, double* out, int n) {
    static const RunFn chunk = forIsa<RunFn>(&runPlain, &runAvx2, &runAvx512);
    for (int s = 0; s < n; s += kChunk) {
        chunk(a ? a + s : nullptr, ka, b ? b + s : nullptr, kb, out + s, std::min(kChunk, n - s));
    }
}

}  // namespace tracewell::eval::power
