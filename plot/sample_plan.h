#pragma once
// The x values of one sampling run: from the first x by the step while x stays at or below
// the bound, the sum rounded to single precision after every step (so the samples drift from
// exact multiples of the step, and the last one usually falls a little short of the bound).
//
// The plan holds no sample, only a short list of stretches from which the singles of any
// range of samples are made on their own: the pieces of a run can be made in any order, on
// any thread, with memory for one piece. Within one binade the sums advance evenly, sample k
// of a stretch being x + k*d exactly; elsewhere (near zero, or where the rounding of the step
// depends on x) they are summed one at a time from a start kept every few hundred samples.

#include <cstddef>
#include <span>
#include <vector>

namespace tracewell::plot {

class SamplePlan {
public:
    // A step that is not positive, or so small that x stops moving, gives no samples rather
    // than a loop without end. The same three again keep the plan as it is.
    void prepare(float first, float bound, float step);

    std::size_t size() const { return size_; }
    // The x that ended the loop: the first sum beyond the bound.
    float end() const { return end_; }
    // The singles of the samples from, from + 1, ..., from + out.size() - 1, all < size().
    void singles(std::size_t from, std::span<float> out) const;
    // The single of one sample, or end() for size().
    float single(std::size_t index) const;

    static constexpr std::size_t kMaxSamples = 20'000'000;

private:
    struct Stretch {
        std::size_t first;  // the index of its first sample
        float x;            // the single of its first sample
        float d;            // the even advance, or the step for sums one at a time
        bool even;
    };
    // The stretch that holds sample index.
    std::vector<Stretch>::const_iterator stretchOf(std::size_t index) const;

    bool prepared_ = false;
    float first_ = 0, bound_ = 0, step_ = 0;
    std::size_t size_ = 0;
    float end_ = 0;
    std::vector<Stretch> stretches_;
};

}  // namespace tracewell::plot
