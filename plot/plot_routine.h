#pragma once
// The routine that draws: clears the plot area, draws both axes with a point and a number at
// every integer, checks the expression's characters, and then (see plotter.h) samples the
// expression from the first x to the right end of the x interval, one point per sample.

#include <QString>
#include <memory>
#include <optional>

#include "eval/program.h"
#include "platform/image_surface.h"
#include "plot/axes_cache.h"
#include "plot/plot_state.h"
#include "plot/run_summary.h"

namespace tracewell::plot {

// Why a run drew no curve: the text was rejected or cannot be read, or no sample has a value.
struct PlotProblem {
    int position = 0;  // 1-based character position in the text; 0 when no character is to blame
    QString message;
};

// Everything a run does before it samples: clears the surface and draws the axes, copies
// and checks the text, chooses the first x and compiles the text, leaving in the state what
// that leaves. Returns why the run draws no curve, or the program to sample.
// state.XRange and state.YRange must be at least 1.
std::optional<PlotProblem> beginRun(PlotState& state, const QString& text,
                                    platform::ImageSurface& surface, AxesCache& axes,
                                    std::shared_ptr<const eval::Program>& program);

// The message for a text whose character at position (1-based) lies outside "!" to "~".
QString rejectedCharacterMessage(QStringView text, int position);

// When no sample of a run has a value, says so with the first sample's failure and x, e.g.
// "No value in this range: invalid argument (x = -10)"; nothing when one has or none was taken.
std::optional<PlotProblem> noValueProblem(const RunSummary& summary);

// A run stopped before x, the first sample it did not draw: "Stopped at x = 12.5".
PlotProblem stoppedProblem(float x);
// A run that could not get the memory it needed.
PlotProblem outOfMemoryProblem();

}  // namespace tracewell::plot
