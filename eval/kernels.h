#pragma once
// Looks up the loop that runs one instruction over a block of samples.

#include "program.h"

namespace tracewell::eval {

Kernel kernelFor(const Instruction& ins);
// nullptr for operations that never fail on finite operands.
FailureKindFn failureKindFor(Op op);

// Whether any of x[0..n) or r[0..n) is NaN or infinite.
unsigned anyNotFinite(const double* x, const double* r, int n);

// The value of an operation on constant operands, for folding at compile time; NaN or an
// infinity when it fails.
double applyOp(Op op, double a, double b);

}  // namespace tracewell::eval
