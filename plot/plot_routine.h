#pragma once
// The routine that draws: clears the plot area, draws both axes with a point and a number at
// every integer, checks the expression's characters, and samples the expression from the
// first x to the right end of the x interval, one point per sample.

#include <QString>
#include <optional>
#include <vector>

#include "eval/evaluator.h"
#include "platform/image_surface.h"
#include "plot/plot_state.h"
#include "plot/sample_grid.h"

namespace tracewell::plot {

// Why a run drew no curve: the text was rejected or cannot be read.
struct PlotProblem {
    int position = 0;  // 1-based character position in the text
    QString message;
};

// Every sample of a run, for those who list them. A failed sample's y is NaN.
struct PlotSamples {
    std::vector<float> xs;
    std::vector<float> ys;
    std::vector<eval::Failure> failures;
};

struct PlotTools {
    platform::ImageSurface& surface;
    eval::Evaluator& engine;  // its error handler runs once for every failed sample
    SampleGrid& grid;
};

// state.XRange and state.YRange must be at least 1. Leaves the state as the run leaves it.
std::optional<PlotProblem> runPlot(PlotState& state, const QString& text, PlotTools tools,
                                   PlotSamples* samples = nullptr);

// The message for a text with a character outside "!" to "~" at position.
QString rejectedCharacterMessage(int position);

}  // namespace tracewell::plot
