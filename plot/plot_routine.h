#pragma once
// The routine that draws: clears the plot area, draws both axes with a point and a number at
// every integer, checks the expression's characters, and samples the expression from the
// first x to the right end of the x interval, one point per sample.

#include <QString>
#include <optional>
#include <vector>

#include "eval/compiler.h"
#include "eval/evaluator.h"
#include "platform/image_surface.h"
#include "plot/axes_cache.h"
#include "plot/pixel_columns.h"
#include "plot/plot_state.h"
#include "plot/sample_grid.h"

namespace tracewell::plot {

// Why a run drew no curve: the text was rejected or cannot be read, or no sample has a value.
struct PlotProblem {
    int position = 0;  // 1-based character position in the text; 0 when no character is to blame
    QString message;
};

// Every sample of a run, for those who list them. A failed sample's y is NaN. A run starts
// by emptying the vectors, keeping their capacity for the next run.
struct PlotSamples {
    std::vector<float> xs;
    std::vector<float> ys;
    std::vector<eval::Failure> failures;
};

struct PlotTools {
    platform::ImageSurface& surface;
    eval::Evaluator& engine;  // its error handler runs once for every failed sample
    SampleGrid& grid;
    AxesCache& axes;
    PixelColumns& columns;
};

// state.XRange and state.YRange must be at least 1. Leaves the state as the run leaves it.
std::optional<PlotProblem> runPlot(PlotState& state, const QString& text, PlotTools tools,
                                   PlotSamples* samples = nullptr);

// The problem of a text the engine cannot read: "Expected ')': position 6".
PlotProblem unreadableTextProblem(const eval::CompileError& error);

// The message for a text whose character at position (1-based) lies outside "!" to "~".
QString rejectedCharacterMessage(QStringView text, int position);

// When no sample of a run has a value, says so with the first sample's failure and x, e.g.
// "No value in this range: invalid argument (x = -10)"; nothing when one has or none was taken.
std::optional<PlotProblem> noValueProblem(const PlotSamples& samples);

}  // namespace tracewell::plot
