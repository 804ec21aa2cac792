#pragma once
// Vectors of doubles written with the compiler's vector extensions (GCC and clang), for the
// few loops the auto-vectorizer handles poorly: values that must stay in registers across
// several operations, and reductions. Each loop is a template over the vector type and is
// instantiated inside the functions compiled for each register width (see cpu.h); where the
// processor has narrower registers, the compiler splits the vectors.

#include <cstring>

namespace tracewell::eval::lanes {

typedef double V2 __attribute__((vector_size(16)));
typedef double V4 __attribute__((vector_size(32)));
typedef double V8 __attribute__((vector_size(64)));

template <class V>
constexpr int kWidth = sizeof(V) / sizeof(double);

template <class V>
[[gnu::always_inline]] inline V load(const double* p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <class V>
[[gnu::always_inline]] inline void store(double* p, const V& v) {
    std::memcpy(p, &v, sizeof v);
}

template <class V>
[[gnu::always_inline]] inline V splat(double d) {
    V v;
    for (int i = 0; i < kWidth<V>; ++i) v[i] = d;
    return v;
}

// Whether any of v[0..n) is NaN or infinite. v - v is 0 for a finite value and NaN for the
// others, and a NaN survives every sum: two operations per vector, no compares.
template <class V>
[[gnu::always_inline]] inline bool anyNotFinite(const double* v, int n) {
    constexpr int w = kWidth<V>;
    V a = {}, b = {}, c = {}, d = {};
    int i = 0;
    for (; i + 4 * w <= n; i += 4 * w) {
        const V p = load<V>(v + i), q = load<V>(v + i + w);
        const V r = load<V>(v + i + 2 * w), s = load<V>(v + i + 3 * w);
        a += p - p, b += q - q, c += r - r, d += s - s;
    }
    for (; i + w <= n; i += w) {
        const V p = load<V>(v + i);
        a += p - p;
    }
    const V all = (a + b) + (c + d);
    double sum = 0;
    for (int j = 0; j < w; ++j) sum += all[j];
    for (; i < n; ++i) sum += v[i] - v[i];
    return sum != sum;
}

}  // namespace tracewell::eval::lanes
