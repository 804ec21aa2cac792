#include "plot/sample_plan.h"

#include <algorithm>
#include <cmath>

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

void SamplePlan::prepare(float first, float bound, float step) {
    if (prepared_ && first == first_ && bound == bound_ && step == step_) return;
    prepared_ = true;
    first_ = first;
    bound_ = bound;
    step_ = step;
    stretches_.clear();
    size_ = 0;
    end_ = first;
    if (!(step > 0) || !std::isfinite(step) || !std::isfinite(first)) return;

    // A piece that starts inside a stretch of sums one at a time sums from the stretch's
    // start: at most this many additions more than its own samples.
    constexpr std::size_t kStepsPerStart = 256;
    float x = first;
    std::size_t n = 0;
    while (x <= bound && n < kMaxSamples) {
        float d = 0;
        const std::size_t run = std::min(evenRun(x, step, bound, d), kMaxSamples - n);
        if (run > 1) {
            stretches_.push_back({n, x, d, true});
            n += run;
            // Exact: a multiple of the spacing within the binade.
            x = x + static_cast<float>(run) * d;
            continue;
        }
        if (stretches_.empty() || stretches_.back().even ||
            n - stretches_.back().first >= kStepsPerStart)
            stretches_.push_back({n, x, step, false});
        ++n;
        const float next = x + step;
        if (!(next > x)) break;  // the step is lost in x's rounding: x would never move
        x = next;
    }
    size_ = n;
    end_ = x;
}

std::vector<SamplePlan::Stretch>::const_iterator SamplePlan::stretchOf(std::size_t index) const {
    auto s = std::upper_bound(stretches_.begin(), stretches_.end(), index,
                              [](std::size_t i, const Stretch& st) { return i < st.first; });
    return s - 1;
}

void SamplePlan::singles(std::size_t from, std::span<float> out) const {
    if (out.empty()) return;
    auto s = stretchOf(from);
    std::size_t done = 0;
    while (done < out.size()) {
        const std::size_t at = from + done;
        const std::size_t stretchEnd = s + 1 == stretches_.end() ? size_ : (s + 1)->first;
        const std::size_t count = std::min(stretchEnd - at, out.size() - done);
        float* o = out.data() + done;
        if (s->even) {
            // k*d and x + k*d are exact: multiples of the spacing within the binade, of which
            // a stretch holds fewer than 2^24. The counts are ints, which convert to floats
            // eight or sixteen at a time.
            const auto k0 = static_cast<int>(at - s->first);
            const int n = static_cast<int>(count);
            for (int k = 0; k < n; ++k) o[k] = s->x + static_cast<float>(k0 + k) * s->d;
        } else {
            float x = s->x;
            for (std::size_t k = s->first; k < at; ++k) x = x + s->d;
            for (std::size_t k = 0; k < count; ++k, x = x + s->d) o[k] = x;
        }
        done += count;
        ++s;
    }
}

float SamplePlan::single(std::size_t index) const {
    if (index >= size_) return end_;
    float x;
    singles(index, std::span(&x, 1));
    return x;
}

}  // namespace tracewell::plot
