#pragma once
// The samples of a plot as a CSV table, as both programs write it: a header "x,y", then one
// line per sample with x as the text the expression sees (no sign blank) and y as the
// shortest text of its single-precision value, empty where the sample has no value.

#include <functional>
#include <string_view>

#include "plot/plot_routine.h"

namespace tracewell::plot {

// Receives the table in pieces of a few tens of kilobytes; returns false to stop writing.
using TableSink = std::function<bool(std::string_view piece)>;

// Returns false when the sink refused a piece; the rest of the table is then not written.
bool writeSampleTable(const PlotSamples& samples, const TableSink& sink);

}  // namespace tracewell::plot
