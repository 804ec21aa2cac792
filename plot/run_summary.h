#pragma once
// What the messages need to know of a run's samples, gathered a piece at a time as the run
// draws them, so that no sample has to be kept for them. Once a value lies within the y range
// no message is needed, so from then on only the samples are counted: a plot that shows its
// curve pays for one comparison.

#include <cstddef>
#include <span>

#include "eval/failure.h"

namespace tracewell::plot {

struct RunSummary {
    std::size_t samples = 0;
    bool inside = false;    // some value lies within the y range; the rest holds until then
    bool anyValue = false;  // some sample has a value, as drawn: finite in single precision
    eval::Failure firstFailure = eval::Failure::None;  // of the first sample without a value
    float firstFailureX = 0;
    float low = 0, high = 0;  // the smallest and largest value as drawn, once anyValue
    int yRange = 0;

    // Forgets every sample; the next ones are judged against this y range.
    void start(int range);
    // The next samples, in x order: their x, their values (NaN where one failed) and how they
    // failed. All three spans have the same length.
    void add(std::span<const float> xs, std::span<const double> ys,
             std::span<const eval::Failure> failures);
    // Takes in the summary of the samples that follow, judged against the same range: the
    // pieces of a run, each summed up on its own, come to the summary of the whole run.
    void append(const RunSummary& later);
};

}  // namespace tracewell::plot
