#pragma once
// Holds the engine, with the optimiser and without, against the plain reference evaluator:
// the same failure kind for every sample, and the same value, one sample at a time and in
// batches.

#include <string>

#include "expression_generator.h"

namespace tracewell::eval::fuzz {

// What went wrong, or an empty string when the engine and the reference agree everywhere.
std::string checkAgainstReference(const GeneratedCase& c);

}  // namespace tracewell::eval::fuzz
