#pragma once
// The words of a plot's problems: a refused character, a text that cannot be read, and a run
// that drew no curve. The window and tracewell-plot say the same.

#include <QString>
#include <QStringView>
#include <optional>

#include "eval/compiler.h"
#include "plot/run_summary.h"

namespace tracewell::plot {

// Why a run drew no curve: the text was rejected or cannot be read, or no sample shows.
struct PlotProblem {
    int position = 0;  // 1-based character position in the text; 0 when no character is to blame
    QString message;
    int length = 1;            // the characters to blame from position
    bool outOfMemory = false;  // the run needed more memory than it could have
};

// The message for a text whose character at position (1-based) lies outside "!" to "~", with
// what to type instead where that is known.
QString rejectedCharacterMessage(QStringView text, int position);

// The message for a text that cannot be read: the engine's words, where, and what to write
// instead, e.g. "Unknown function 'sqrt': position 1; the square root is Sqr(x)".
QString compileErrorMessage(QStringView text, const eval::CompileError& error);

// Why a run that sampled drew no curve: no sample has a value ("No value in this range:
// invalid argument (x = -10)"), or none lies within the y range ("Every value lies above the
// y range (2.24 to 3.87): raise Oy"). Nothing when a value shows or no sample was taken.
std::optional<PlotProblem> noCurveProblem(const RunSummary& run);

// A run stopped before x, the first sample it did not draw: "Stopped at x = 12.5".
PlotProblem stoppedProblem(float x);
// A run that needed more memory than it could have.
PlotProblem outOfMemoryProblem();

}  // namespace tracewell::plot
