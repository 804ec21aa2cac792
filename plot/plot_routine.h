#pragma once
// The routine that draws: clears the plot area, draws both axes with a point and a number at
// every integer, checks the expression's characters, and samples the expression from the
// first x to the right end of the x interval, one point per sample.

#include <QString>
#include <optional>
#include <variant>
#include <vector>

#include "eval/evaluator.h"
#include "platform/image_surface.h"
#include "plot/axes_cache.h"
#include "plot/pixel_columns.h"
#include "plot/plot_messages.h"
#include "plot/plot_state.h"
#include "plot/run_summary.h"
#include "plot/sample_grid.h"

namespace tracewell::plot {

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
    RunSummary& summary;                    // of this run's samples
    std::optional<eval::Program>& program;  // the text as compiled, when it could be
};

// What a run does with a text before it samples, for all who read a text as a plot does:
// copies it into the state, refuses it when it is too long or holds a character outside "!"
// to "~", chooses the first x, and compiles it. The program, or the problem that ends the run.
std::variant<eval::Program, PlotProblem> readText(PlotState& state, const QString& text);

// state.XRange and state.YRange must be at least 1. Leaves the state as the run leaves it.
std::optional<PlotProblem> runPlot(PlotState& state, const QString& text, PlotTools tools,
                                   PlotSamples* samples = nullptr);

}  // namespace tracewell::plot
