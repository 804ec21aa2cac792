#pragma once
// The routine that draws: clears the plot area, draws both axes with a point and a number at
// every integer, checks the expression's characters, and then (see plotter.h) samples the
// expression from the first x to the right end of the x interval, one point per sample.

#include <QString>
#include <memory>
#include <optional>
#include <variant>

#include "eval/program.h"
#include "platform/image_surface.h"
#include "plot/axes_cache.h"
#include "plot/plot_messages.h"
#include "plot/plot_state.h"

namespace tracewell::plot {

// What a run does with a text before it samples, for all who read a text as a plot does:
// copies it into the state, refuses it when it is too long or holds a character outside "!"
// to "~", chooses the first x, and compiles it. The program, or the problem that ends the run.
std::variant<eval::Program, PlotProblem> readText(PlotState& state, const QString& text);

// Everything a run does before it samples: clears the surface and draws the axes, then reads
// the text, leaving in the state what that leaves. Returns why the run draws no curve, or
// the program to sample. state.XRange and state.YRange must be at least 1.
std::optional<PlotProblem> beginRun(PlotState& state, const QString& text,
                                    platform::ImageSurface& surface, AxesCache& axes,
                                    std::shared_ptr<const eval::Program>& program);

}  // namespace tracewell::plot
