#pragma once
// Transcendental functions over arrays, from the C library's vector math (libmvec) where it has
// one: several samples per call, in the widest registers the processor has. One sample alone goes
// through the same code, so a value never depends on how samples were grouped.

namespace tracewell::eval::vector_math {

enum class Fn { Sin, Cos, Tan, Atn, Exp, Log };

void apply(Fn fn, const double* in, double* out, int n);
// The same, returning whether any of in[0..n) was NaN or infinite.
bool applyWatching(Fn fn, const double* in, double* out, int n);

inline double apply(Fn fn, double a) {
    double r;
    apply(fn, &a, &r, 1);
    return r;
}

}  // namespace tracewell::eval::vector_math
