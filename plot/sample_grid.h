#pragma once
// The x values of one sampling run: from the first x by the step while x stays at or below
// the bound, the sum rounded to single precision after every step (so the samples drift from
// exact multiples of the step, and the last one usually falls a little short of the bound).
// Alongside each single, the value the expression sees (see eval/x_text.h).
//
// A grid depends only on (first x, bound, step), so it is kept and reused by the next run
// with the same three: replotting another expression or the same range skips this work.

#include <cstdint>
#include <span>

#include "plot/raw_buffer.h"

namespace tracewell::plot {

class SampleGrid {
public:
    // A step that is not positive, or so small that x stops moving, gives no samples rather
    // than a loop without end.
    void prepare(float first, float bound, float step);
    // Frees the samples; the next prepare builds them anew.
    void reset();

    std::span<const float> singles() const { return singles_.span(); }
    std::span<const double> values() const { return values_.span(); }
    // The x that ended the loop: the first sum beyond the bound.
    float end() const { return end_; }
    // Changes whenever the grid is built anew.
    std::uint64_t version() const { return version_; }

    static constexpr std::size_t kMaxSamples = 20'000'000;

private:
    bool prepared_ = false;
    float first_ = 0, bound_ = 0, step_ = 0;
    float end_ = 0;
    std::uint64_t version_ = 0;
    void build(float first, float bound, float step);
    // Appends the values of the singles that have none yet.
    void addValues();

    RawBuffer<float> singles_;
    RawBuffer<double> values_;
};

}  // namespace tracewell::plot
