#pragma once
// Vectors of doubles written with the compiler's vector extensions (GCC and clang), for the
// few loops the auto-vectorizer handles poorly: values that must stay in registers across
// several operations, and reductions. Each loop is a template over the vector type and is
// instantiated inside the functions compiled for each register width (see cpu.h); where the
// processor has narrower registers, the compiler splits the vectors.

#include <cstdint>
#include <cstring>

namespace tracewell::eval::lanes {

typedef double V2 __attribute__((vector_size(16)));
typedef double V4 __attribute__((vector_size(32)));
typedef double V8 __attribute__((vector_size(64)));

template <class V>
constexpr int kWidth = sizeof(V) / sizeof(double);

// The encodings of a double or of a vector's doubles, as unsigned integers of their width.
typedef std::uint64_t U2 __attribute__((vector_size(16)));
typedef std::uint64_t U4 __attribute__((vector_size(32)));
typedef std::uint64_t U8 __attribute__((vector_size(64)));
template <class T>
struct Encoding {
    using type = std::uint64_t;
};
template <>
struct Encoding<V2> {
    using type = U2;
};
template <>
struct Encoding<V4> {
    using type = U4;
};
template <>
struct Encoding<V8> {
    using type = U8;
};
template <class T>
using BitsOf = typename Encoding<T>::type;

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

// Sums v[0..n), or v - v for each value when exact: 0 for a finite value and NaN for the
// others. Either way a NaN or an infinity makes the sum not finite, as every sum keeps it;
// summing the values themselves costs one operation per vector instead of two, but finite
// values can also overflow the sum.
template <class V, bool exact>
[[gnu::always_inline]] inline bool sumNotFinite(const double* v, int n) {
    constexpr int w = kWidth<V>;
    auto term = [](const V& p) { return exact ? p - p : p; };
    V a = {}, b = {}, c = {}, d = {};
    int i = 0;
    for (; i + 4 * w <= n; i += 4 * w) {
        a += term(load<V>(v + i)), b += term(load<V>(v + i + w));
        c += term(load<V>(v + i + 2 * w)), d += term(load<V>(v + i + 3 * w));
    }
    for (; i + w <= n; i += w) a += term(load<V>(v + i));
    double all[w];
    store(all, (a + b) + (c + d));
    for (int h = w / 2; h >= 1; h /= 2)  // a tree: log2(w) dependent sums, not w
        for (int j = 0; j < h; ++j) all[j] += all[j + h];
    double sum = all[0];
    for (; i < n; ++i) sum += exact ? v[i] - v[i] : v[i];
    return sum - sum != 0;
}

// Whether any of v[0..n) is NaN or infinite.
template <class V>
[[gnu::always_inline]] inline bool anyNotFinite(const double* v, int n) {
    return sumNotFinite<V, true>(v, n);
}

// True whenever any of v[0..n) is NaN or infinite, and in rare false alarms when finite
// values near the largest double overflow their sum. For checks whose alarm only sends a
// block down the path that looks at every value.
template <class V>
[[gnu::always_inline]] inline bool mayHoldNotFinite(const double* v, int n) {
    return sumNotFinite<V, false>(v, n);
}

}  // namespace tracewell::eval::lanes
