#pragma once
// Rewrites the code the compiler reads from a text into code that makes fewer passes over a
// block of samples, giving the same bits and the same failures for every x.

#include <vector>

#include "program.h"

namespace tracewell::eval {

using Code = std::vector<Instruction>;

// Runs every pass of the optimiser, in order, over code as the compiler writes it: constants
// and x pushed, every operation taking its operands from the stack.
void optimise(Code& code);

}  // namespace tracewell::eval
