#include "plot/sample_grid.h"

#include <cmath>

#include "eval/x_text.h"

namespace tracewell::plot {

void SampleGrid::prepare(float first, float bound, float step) {
    if (prepared_ && first == first_ && bound == bound_ && step == step_) return;
    prepared_ = true;
    first_ = first;
    bound_ = bound;
    step_ = step;
    singles_.clear();
    end_ = first;
    if (!(step > 0) || !std::isfinite(step) || !std::isfinite(first)) {
        values_.clear();
        return;
    }

    if (first <= bound) {
        const double expected = (static_cast<double>(bound) - first) / step + 2;
        singles_.reserve(static_cast<std::size_t>(std::min<double>(expected, kMaxSamples)));
    }
    float x = first;
    while (x <= bound && singles_.size() < kMaxSamples) {
        singles_.push_back(x);
        const float next = x + step;
        if (!(next > x)) break;  // the step is lost in x's rounding: x would never move
        x = next;
    }
    end_ = x;
    // Resized, not cleared: the buffer of the previous grid is written over, not zeroed first.
    values_.resize(singles_.size());
    eval::xValues(singles_, values_);
}

}  // namespace tracewell::plot
