#pragma once
// tracewell-plot --eval: an expression's value at given x values, the text read as a plot
// reads it.

#include <QStringList>
#include <iosfwd>

namespace tracewell::cli {

// Prints one line per x to out, errors to err; returns the exit code.
int runEval(const QString& expression, const QStringList& xs, std::ostream& out, std::ostream& err);

}  // namespace tracewell::cli
