#include "vector_math.h"

#include "cpu.h"

#include <algorithm>
#include <cmath>

// The C library's vector functions follow the x86-64 vector ABI of glibc; where there is no
// such library, or only plain paths are wanted, the scalar functions serve.
#if defined(TRACEWELL_AVX2_PATHS) && defined(__GLIBC__)
#include <immintrin.h>
#define TRACEWELL_LIBMVEC 1
#endif

namespace tracewell::eval::vm {
namespace {

// The watching copies return whether any input was NaN or infinite: v - v is NaN then and 0
// otherwise, and a NaN survives every sum, so the inputs are watched in registers as they
// pass. The others return false and spend nothing on it.
using ArrayFn = bool (*)(const double*, double*, int);

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

template <__m128d (*F)(__m128d), bool watching>
bool sse(const double* in, double* out, int n) {
    __m128d watch = _mm_setzero_pd();
    auto one = [&](__m128d v) {
        if constexpr (watching) watch = _mm_add_pd(watch, _mm_sub_pd(v, v));
        return F(v);
    };
    int i = 0;
    for (; i + 2 <= n; i += 2) _mm_storeu_pd(out + i, one(_mm_loadu_pd(in + i)));
    if (i < n) {
        alignas(16) double pad[2] = {in[i], 0};
        _mm_store_pd(pad, one(_mm_load_pd(pad)));
        out[i] = pad[0];
    }
    return _mm_movemask_pd(_mm_cmpunord_pd(watch, watch)) != 0;
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

template <__m256d (*F)(__m256d), bool watching>
TRACEWELL_TARGET_AVX2 bool avx2(const double* in, double* out, int n) {
    __m256d watch = _mm256_setzero_pd();
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        const __m256d v = _mm256_loadu_pd(in + i);
        if constexpr (watching) watch = _mm256_add_pd(watch, _mm256_sub_pd(v, v));
        _mm256_storeu_pd(out + i, F(v));
    }
    if (i < n) {
        alignas(32) double pad[4] = {};
        std::copy(in + i, in + n, pad);
        const __m256d v = _mm256_load_pd(pad);
        if constexpr (watching) watch = _mm256_add_pd(watch, _mm256_sub_pd(v, v));
        _mm256_store_pd(pad, F(v));
        std::copy(pad, pad + (n - i), out + i);
    }
    return _mm256_movemask_pd(_mm256_cmp_pd(watch, watch, _CMP_UNORD_Q)) != 0;
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

template <__m512d (*F)(__m512d), bool watching>
TRACEWELL_TARGET_AVX512 bool avx512(const double* in, double* out, int n) {
    __m512d watch = _mm512_setzero_pd();
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m512d v = _mm512_loadu_pd(in + i);
        if constexpr (watching) watch = _mm512_add_pd(watch, _mm512_sub_pd(v, v));
        _mm512_storeu_pd(out + i, F(v));
    }
    if (i < n) {
        alignas(64) double pad[8] = {};
        std::copy(in + i, in + n, pad);
        const __m512d v = _mm512_load_pd(pad);
        if constexpr (watching) watch = _mm512_add_pd(watch, _mm512_sub_pd(v, v));
        _mm512_store_pd(pad, F(v));
        std::copy(pad, pad + (n - i), out + i);
    }
    return _mm512_cmp_pd_mask(watch, watch, _CMP_UNORD_Q) != 0;
}

struct Table {
    ArrayFn fns[6];
};

template <bool w>
Table choose() {
    if (hasAvx512())
        return {{&avx512<_ZGVeN8v_sin, w>, &avx512<_ZGVeN8v_cos, w>, &avx512<_ZGVeN8v_tan, w>,
                 &avx512<_ZGVeN8v_atan, w>, &avx512<_ZGVeN8v_exp, w>, &avx512<_ZGVeN8v_log, w>}};
    if (hasAvx2())
        return {{&avx2<_ZGVdN4v_sin, w>, &avx2<_ZGVdN4v_cos, w>, &avx2<_ZGVdN4v_tan, w>,
                 &avx2<_ZGVdN4v_atan, w>, &avx2<_ZGVdN4v_exp, w>, &avx2<_ZGVdN4v_log, w>}};
    return {{&sse<_ZGVbN2v_sin, w>, &sse<_ZGVbN2v_cos, w>, &sse<_ZGVbN2v_tan, w>,
             &sse<_ZGVbN2v_atan, w>, &sse<_ZGVbN2v_exp, w>, &sse<_ZGVbN2v_log, w>}};
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

}  // namespace tracewell::eval::vm
