#pragma once
// What a run's samples come to, gathered a piece at a time, so that the messages about a
// run need no sample kept: how many there were, whether any had a value, and how the first
// one fared.

#include <cstddef>
#include <span>

#include "eval/failure.h"

namespace tracewell::plot {

struct RunSummary {
    std::size_t samples = 0;
    bool anyValue = false;
    // The first sample's x and, where it has no value, why (an overflow for a value beyond
    // the single range).
    float firstX = 0;
    eval::Failure firstFailure = eval::Failure::None;

    // Takes in a piece: the singles of its x and its values, NaN where a sample failed.
    void add(std::span<const float> xs, std::span<const double> values,
             std::span<const eval::Failure> failures);
    // Takes in the summary of the samples that follow this one's.
    void append(const RunSummary& later);
};

}  // namespace tracewell::plot
