#pragma once
// The power a^b over arrays of samples, several at a time in the widest registers the
// processor has.
//
// Its value is a function of a and b alone, however they arrive (constants folded, a block of
// samples, one sample), so every path gives the same bits:
// - an exponent of 2 is one rounded product, a*a;
// - exponents of 3, 4, -1, -2 and -3 are products and a quotient (a*a*a, 1/(a*a), ...), within
//   4 units in the last place of the C library's pow; where such a result comes near the ends
//   of the double range (an overflow, a subnormal, a zero), pow itself decides;
// - an exponent of 1/2 is the square root, except that the root of -0 is +0, as pow has it;
// - a base of 2 is exp2(b);
// - every other power is the vector pow of |a| (libmvec), its sign set by an odd whole
//   exponent, and NaN for a negative base with an exponent that is not whole.
// A result that is not finite is a failure, whose kind failureKind<Op::Pow> tells.

namespace tracewell::eval::power {

// a^b for n samples; a nullptr a or b stands for the constant ka or kb in every sample. out
// may be a or b.
void apply(const double* a, double ka, const double* b, double kb, double* out, int n);

inline double apply(double a, double b) {
    double r;
    apply(nullptr, a, nullptr, b, &r, 1);
    return r;
}

}  // namespace tracewell::eval::power
