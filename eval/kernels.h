#pragma once
// Looks up the loop that runs one instruction over a block of samples.

#include "program.h"

namespace tracewell::eval {

Kernel kernelFor(const Instruction& ins);
// nullptr for operations that never fail on finite operands.
FailureKindFn failureKindFor(const Instruction& ins);
// What must be watched while an operation runs to tell why a sample failed.
struct Watch {
    bool readsOperands = false;  // its failure kind depends on them (else always an overflow)
    // The operands through which a value that is not finite can give a finite result: bit 0
    // the left (or only) one, bit 1 the right one.
    unsigned hiding = 0;
};
Watch watchFor(Op op);

// Whether any of v[0..n) is NaN or infinite.
unsigned anyNotFinite(const double* v, int n);
// The same at half the cost, with rare false alarms (see lanes::mayHoldNotFinite): for checks
// whose alarm only means that each value is looked at.
unsigned mayHoldNotFinite(const double* v, int n);

// The value of an operation on constant operands, for folding at compile time; NaN or an
// infinity when it fails.
double applyOp(Op op, double a, double b);

}  // namespace tracewell::eval
