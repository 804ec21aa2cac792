#pragma once
// The value of x at a sample. The plot keeps x in single precision; the expression sees the
// number that x's decimal text reads back as: at most 7 significant digits, halves rounded
// away from zero. The text is what a user sees of x (in tables, say); the fast path gives
// the same double without building the text.

#include <span>
#include <string>

namespace tracewell::eval {

// A blank or a minus sign, then the digits with a point as the decimal separator whatever
// the locale, trailing zeros dropped: " 0", "-9.9", " 0.005", " 1.234568E-05", " 1E+07".
std::string xText(float x);

// The number xText(x) reads back as (the slow, obviously right route).
double xValueFromText(float x);

// Identical to xValueFromText for every float, fast for the magnitudes a plot uses.
double xValue(float x);

// xValue of every x; eight at a time where the processor has AVX-512. values must be at
// least as long as xs.
void xValues(std::span<const float> xs, std::span<double> values);

}  // namespace tracewell::eval
