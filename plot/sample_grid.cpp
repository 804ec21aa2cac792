#include "plot/sample_grid.h"

#include <cmath>

#include "eval/x_text.h"

namespace tracewell::plot {
namespace {

// How many samples from x on advance by one and the same amount d, so that sample k is
// x + k*d and the one after the last is x + n*d. Within x's binade the singles are evenly
// spaced, so while every exact sum x + step lies safely inside it, x + step rounds to x + d,
// d being the step rounded to that spacing; those sums need not wait for each other. 0 where
// that does not hold: at zero and tiny magnitudes, or where the step lies halfway between
// two multiples of the spacing and the rounding depends on x.
std::size_t evenRun(float x, float step, float bound, float& d) {
    if (!std::isnormal(x)) return 0;
    int e;
    std::frexp(x, &e);  // |x| in [2^(e-1), 2^e)
    const double spacing = std::ldexp(1.0, e - 24);
    const double q = step / spacing;  // exact: a power of two apart
    if (q - std::floor(q) == 0.5) return 0;
    const double even = std::nearbyint(q) * spacing;
    if (even == 0) return 0;
    // The last sample whose successor is still such a sum, with a spacing to spare.
    const double last = std::min<double>(bound, x > 0 ? std::ldexp(1.0, e) - 2 * spacing - step
                                                      : -std::ldexp(1.0, e - 1) - spacing - step);
    if (!(x <= last)) return 0;
    auto n = static_cast<std::size_t>((last - x) / even) + 1;
    while (n > 0 && x + static_cast<double>(n - 1) * even > last) --n;  // exact in double
    d = static_cast<float>(even);
    return n;
}

}  // namespace

void SampleGrid::prepare(float first, float bound, float step) {
    if (prepared_ && first == first_ && bound == bound_ && step == step_) return;
    // Kept for these three only once the samples are all there: a build cut short by a
    // failed allocation is built again next time.
    prepared_ = false;
    ++version_;
    singles_.clear();
    values_.clear();
    end_ = first;
    build(first, bound, step);
    first_ = first;
    bound_ = bound;
    step_ = step;
    prepared_ = true;
}

void SampleGrid::reset() {
    prepared_ = false;
    ++version_;
    singles_ = {};
    values_ = {};
    end_ = 0;
}

void SampleGrid::build(float first, float bound, float step) {
    if (!(step > 0) || !std::isfinite(step) || !std::isfinite(first)) return;

    if (first <= bound) {
        const double expected = (static_cast<double>(bound) - first) / step + 2;
        const auto n = static_cast<std::size_t>(std::min<double>(expected, kMaxSamples));
        singles_.reserve(n);
        values_.reserve(n);
    }
    // Written a chunk at a time, each chunk's values computed while its singles are still in
    // the cache.
    constexpr std::size_t kChunk = 4096;
    float x = first;
    while (x <= bound && singles_.size() < kMaxSamples) {
        float d = 0;
        const std::size_t n = std::min(evenRun(x, step, bound, d), kMaxSamples - singles_.size());
        if (n > 1) {
            // k*d and x + k*d are exact: multiples of the spacing within the binade.
            for (std::size_t start = 0; start < n; start += kChunk) {
                const int count = static_cast<int>(std::min(kChunk, n - start));
                float* out = singles_.extend(static_cast<std::size_t>(count));
                const float base = x + static_cast<float>(start) * d;
                for (int k = 0; k < count; ++k) out[k] = base + static_cast<float>(k) * d;
                addValues();
            }
            x = x + static_cast<float>(n) * d;
            continue;
        }
        singles_.push_back(x);
        const float next = x + step;
        if (!(next > x)) break;  // the step is lost in x's rounding: x would never move
        x = next;
    }
    end_ = x;
    addValues();
}

void SampleGrid::addValues() {
    const std::size_t done = values_.size();
    const std::span<const float> fresh = singles_.span().subspan(done);
    eval::xValues(fresh, std::span(values_.extend(fresh.size()), fresh.size()));
}

}  // namespace tracewell::plot
