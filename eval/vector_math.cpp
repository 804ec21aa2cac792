#include "vector_math.h"

// Wide vectors pass only between functions inlined into code compiled for their width, so
// the compiler's note that their calling convention depends on the target has nothing to
// apply to.
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

#include "cpu.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "libmvec.h"

namespace tracewell::eval::vector_math {
namespace {

// The watching copies return whether any input was NaN or infinite: v - v is NaN then and 0
// otherwise, and a NaN survives every sum, so the inputs are watched in registers as they
// pass. The others return false and spend nothing on it.
using ArrayFn = bool (*)(const double*, double*, int);

// One loop for every register width: V is the vector type F takes. Samples short of a whole
// vector go through a zero-padded one, so a value never depends on the grouping.
template <class V, V (*F)(V), bool watching>
[[gnu::always_inline]] inline bool overArray(const double* in, double* out, int n) {
    constexpr int w = sizeof(V) / sizeof(double);
    V watch = {};
    int i = 0;
    for (; i + w <= n; i += w) {
        V v;
        std::memcpy(&v, in + i, sizeof v);
        if constexpr (watching) watch += v - v;
        v = F(v);
        std::memcpy(out + i, &v, sizeof v);
    }
    if (i < n) {
        V v = {};
        std::memcpy(&v, in + i, sizeof(double) * static_cast<std::size_t>(n - i));
        if constexpr (watching) watch += v - v;
        v = F(v);
        std::memcpy(out + i, &v, sizeof(double) * static_cast<std::size_t>(n - i));
    }
    bool bad = false;
    for (int j = 0; j < w; ++j) bad |= watch[j] != watch[j];
    return bad;
}

#ifdef TRACEWELL_LIBMVEC
extern "C" {
// The vector function ABI: 'b' takes two doubles in SSE registers, 'd' four in AVX2 ones.
__m128d _ZGVbN2v_sin(__m128d);
__m128d _ZGVbN2v_cos(__m128d);
__m128d _ZGVbN2v_tan(__m128d);
__m128d _ZGVbN2v_atan(__m128d);
__m128d _ZGVbN2v_exp(__m128d);
__m128d _ZGVbN2v_log(__m128d);
}

// The vector log hands every lane that is not a positive finite value to the scalar log, one
// at a time, at many times the cost of the vector: log(x) over a range that crosses 0 spent
// most of its time there. Those lanes get the scalar log's bits here instead (-inf at either
// zero, the default NaN below zero, a NaN quieted and +inf as they are) while the vector sees
// 1 in their place; a vector of such lanes alone skips the vector log, and one without them
// goes straight to it. Written once per register width (lanesOf gives one bit per lane of a
// comparison): the compiler splits comparisons of vectors lane by lane in a function compiled
// for narrower registers than theirs.
#define TRACEWELL_LOG_WITHOUT_CALLOUTS(V, TARGET, name, lanesOf)              \
    template <V (*F)(V)>                                                      \
    TARGET V name(V v) {                                                      \
        constexpr unsigned kAll = (1u << sizeof(V) / sizeof(double)) - 1;     \
        const V zero = {}, one = zero + 1.0, inf = zero + __builtin_inf();    \
        const auto usual = (v > 0.0) & (v < inf);                             \
        const unsigned lanes = lanesOf(__builtin_bit_cast(V, usual));         \
        if (lanes == kAll) return F(v);                                       \
        const V invalid = zero + std::bit_cast<double>(0xfff8000000000000u);  \
        const V special = v == 0.0 ? -inf : (v < 0.0 ? invalid : v + v);      \
        return lanes == 0 ? special : (usual ? F(usual ? v : one) : special); \
    }
inline unsigned lanesOfSse(__m128d m) { return _mm_movemask_pd(m); }
TRACEWELL_LOG_WITHOUT_CALLOUTS(__m128d, , logSse, lanesOfSse)

template <__m128d (*F)(__m128d), bool watching>
bool sse(const double* in, double* out, int n) {
    return overArray<__m128d, F, watching>(in, out, n);
}

// Taking and returning 32-byte vectors: only called after the processor has been found to
// have AVX2, from code compiled for it.
extern "C" {
__m256d _ZGVdN4v_sin(__m256d);
__m256d _ZGVdN4v_cos(__m256d);
__m256d _ZGVdN4v_tan(__m256d);
__m256d _ZGVdN4v_atan(__m256d);
__m256d _ZGVdN4v_exp(__m256d);
__m256d _ZGVdN4v_log(__m256d);
}

TRACEWELL_TARGET_AVX2 inline unsigned lanesOfAvx2(__m256d m) { return _mm256_movemask_pd(m); }
TRACEWELL_LOG_WITHOUT_CALLOUTS(__m256d, TRACEWELL_TARGET_AVX2, logAvx2, lanesOfAvx2)

template <__m256d (*F)(__m256d), bool watching>
TRACEWELL_TARGET_AVX2 bool avx2(const double* in, double* out, int n) {
    return overArray<__m256d, F, watching>(in, out, n);
}

// Eight doubles in AVX-512 registers: only called after the processor has been found to have
// AVX-512, from code compiled for it.
extern "C" {
__m512d _ZGVeN8v_sin(__m512d);
__m512d _ZGVeN8v_cos(__m512d);
__m512d _ZGVeN8v_tan(__m512d);
__m512d _ZGVeN8v_atan(__m512d);
__m512d _ZGVeN8v_exp(__m512d);
__m512d _ZGVeN8v_log(__m512d);
}

TRACEWELL_TARGET_AVX512 inline unsigned lanesOfAvx512(__m512d m) {
    return _mm512_movepi64_mask(_mm512_castpd_si512(m));
}
TRACEWELL_LOG_WITHOUT_CALLOUTS(__m512d, TRACEWELL_TARGET_AVX512, logAvx512, lanesOfAvx512)
#undef TRACEWELL_LOG_WITHOUT_CALLOUTS

template <__m512d (*F)(__m512d), bool watching>
TRACEWELL_TARGET_AVX512 bool avx512(const double* in, double* out, int n) {
    return overArray<__m512d, F, watching>(in, out, n);
}

struct Table {
    ArrayFn fns[6];
};

template <bool w>
Table choose() {
    return forIsa<Table>(
        {{&sse<_ZGVbN2v_sin, w>, &sse<_ZGVbN2v_cos, w>, &sse<_ZGVbN2v_tan, w>,
          &sse<_ZGVbN2v_atan, w>, &sse<_ZGVbN2v_exp, w>, &sse<logSse<_ZGVbN2v_log>, w>}},
        {{&avx2<_ZGVdN4v_sin, w>, &avx2<_ZGVdN4v_cos, w>, &avx2<_ZGVdN4v_tan, w>,
          &avx2<_ZGVdN4v_atan, w>, &avx2<_ZGVdN4v_exp, w>, &avx2<logAvx2<_ZGVdN4v_log>, w>}},
        {{&avx512<_ZGVeN8v_sin, w>, &avx512<_ZGVeN8v_cos, w>, &avx512<_ZGVeN8v_tan, w>,
          &avx512<_ZGVeN8v_atan, w>, &avx512<_ZGVeN8v_exp, w>,
          &avx512<logAvx512<_ZGVeN8v_log>, w>}});
}
#else
template <double (*F)(double), bool watching>
bool scalar(const double* in, double* out, int n) {
    double watch = 0;
    for (int i = 0; i < n; ++i) {
        if constexpr (watching) watch += in[i] - in[i];
        out[i] = F(in[i]);
    }
    return watch != watch;
}
double sinD(double v) { return std::sin(v); }
double cosD(double v) { return std::cos(v); }
double tanD(double v) { return std::tan(v); }
double atanD(double v) { return std::atan(v); }
double expD(double v) { return std::exp(v); }
double logD(double v) { return std::log(v); }

struct Table {
    ArrayFn fns[6];
};

template <bool w>
Table choose() {
    return {{&scalar<sinD, w>, &scalar<cosD, w>, &scalar<tanD, w>, &scalar<atanD, w>,
             &scalar<expD, w>, &scalar<logD, w>}};
}
#endif

}  // namespace

void apply(Fn fn, const double* in, double* out, int n) {
    static const Table table = choose<false>();
    table.fns[static_cast<int>(fn)](in, out, n);
}

bool applyWatching(Fn fn, const double* in, double* out, int n) {
    static const Table table = choose<true>();
    return table.fns[static_cast<int>(fn)](in, out, n);
}

}  // namespace tracewell::eval::vector_math
