#pragma once
// A compiled program as text, one instruction per line, for those who want to see what a
// text compiles to.

#include <string>

#include "program.h"

namespace tracewell::eval {

// Each line: the instruction's index; "*" if it makes a pass over a block of samples (the
// steps of a Horner run are done by its first instruction); the operation; its operands,
// each "stack", "x" or a constant; then a constant joined to its pass ("then + 1") and the
// length of a Horner run ("run 6"). Constants are written in the fewest digits that read
// back as the same double.
std::string disassemble(const Program& program);

// The operation's name as the engine spells it: "Mul", "MulXAdd", ...
const char* opName(Op op);

}  // namespace tracewell::eval
