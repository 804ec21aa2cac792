#pragma once
// The samples of a plot as a CSV table, as both programs write it: a header "x,y", then one
// line per sample with x as the text the expression sees (no sign blank) and y as the
// shortest text of its single-precision value, empty where the sample has no value.

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "eval/failure.h"

namespace tracewell::plot {

// Receives the table in pieces of a few tens of kilobytes; returns false to stop writing.
using TableSink = std::function<bool(std::string_view piece)>;

// Takes the samples a piece at a time (as a SampleSink gives them) and writes the table.
class SampleTable {
public:
    explicit SampleTable(TableSink sink);

    // Adds the lines of these samples; false once the sink refused a piece, after which
    // nothing more is written.
    bool add(std::span<const float> xs, std::span<const float> ys,
             std::span<const eval::Failure> failures);
    // Writes what is left; false when the sink refused any piece.
    bool finish();

private:
    TableSink sink_;
    std::string piece_;
    bool refused_ = false;
};

}  // namespace tracewell::plot
