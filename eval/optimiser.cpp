#include "optimiser.h"

#include "rewrites.h"

namespace tracewell::eval {
namespace {

struct Pass {
    const char* name;
    void (*run)(Code& code);
};

// Every rewrite stands for operations whose roundings it keeps one by one: a multiply and an
// add stay two roundings, and only exact steps (a negation, the order of a sum's or a
// product's operands, a power of two's reciprocal) are taken. An operation that may fail is
// never moved past another one, so the first failure of a sample stays the first. Each pass
// is one walk over the code, as costly for a long text as reading it is: the rewrites of a
// walk are tried in turn on each instruction (see walk() in rewrites.h).
constexpr Pass kPasses[] = {
    // Operations on constants done once, squares, and negations taken into a constant
    // factor or into a square (constants_and_negations.cpp).
    {"constants and negations", &constantsAndNegations},
    // A lone constant or x becomes an operand of the instruction that takes it, where it was
    // pushed on the stack to be read back.
    {"operands in place", &operandsInPlace},
    // Divisions by powers of two as products, Horner steps, terms in x and constants joined
    // to the pass before them (sums_and_products.cpp).
    {"sums and products", &sumsAndProducts},
};

}  // namespace

void optimise(Code& code) {
    for (const Pass& pass : kPasses) pass.run(code);
}

}  // namespace tracewell::eval
