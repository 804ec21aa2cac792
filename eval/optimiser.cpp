#include "optimiser.h"

#include "rewrites.h"

namespace tracewell::eval {
namespace {

// Every rewrite stands for operations whose roundings it keeps one by one: a multiply and an
// add stay two roundings, and only exact steps (a negation, the order of a sum's or a
// product's operands, a power of two's reciprocal) are taken. An operation that may fail is
// never moved past another one, so the first failure of a sample stays the first.
constexpr Pass kPasses[] = {
    // Operations on constants are done once, here, by the same functions the kernels call.
    // One whose result is not finite is kept, to fail at every sample as written.
    {"fold constants", &foldConstants},
    // a^2 is the square's one rounded product, which is what the power gives for 2.
    {"squares", &squares},
    // (-x)*x is -(x*x): a negation changes no magnitude, so the product is the same.
    {"negated squares", &negatedSquares},
    // -a*k and -a/k are a*(-k) and a/(-k), exactly, one pass fewer.
    {"negations into constants", &negationsIntoConstants},
    // A lone constant or x becomes an operand of the instruction that takes it, where it was
    // pushed on the stack to be read back.
    {"operands in place", &operandsInPlace},
    // x*a + k, x*a - k and k + x*a become one Horner step, still rounded twice; a run of
    // steps later goes over the samples once.
    {"Horner steps", &hornerSteps},
    // a + x*k and a - x*k become one instruction; taking x*k away is adding x*(-k).
    {"terms in x", &termsInX},
    // A division by a power of two whose reciprocal is a normal number runs as the product
    // by that reciprocal: both round the same exact quotient, and neither waits on a divider.
    {"reciprocals of powers of two", &reciprocalsOfPowersOfTwo},
    // A constant added, taken or multiplied after an operation that can only overflow joins
    // its pass, rounded on its own as before.
    {"tails", &tails},
};

}  // namespace

std::span<const Pass> optimiserPasses() { return kPasses; }

void optimise(Code& code) {
    for (const Pass& pass : kPasses) pass.run(code);
}

}  // namespace tracewell::eval
