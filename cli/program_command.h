#pragma once
// tracewell-plot --program: the instructions an expression compiles to.

#include <QString>
#include <iosfwd>

namespace tracewell::cli {

// Prints the program to out, one instruction per line, or why the text cannot be read to err
// as a plot would; returns the exit code.
int runProgram(const QString& expression, std::ostream& out, std::ostream& err);

}  // namespace tracewell::cli
