#include "plot/run_summary.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tracewell::plot {

void RunSummary::start(int range) { *this = RunSummary{.yRange = range}; }

void RunSummary::add(std::span<const float> xs, std::span<const double> ys,
                     std::span<const eval::Failure> failures) {
    // Eight lanes apart, so that the compiler keeps them in one register each; no branch.
    constexpr std::size_t kLanes = 8;
    constexpr float kInf = std::numeric_limits<float>::infinity();
    constexpr float kMax = std::numeric_limits<float>::max();
    const float range = static_cast<float>(yRange);
    float lo[kLanes], hi[kLanes];
    unsigned count[kLanes], in[kLanes];
    std::fill_n(lo, kLanes, kInf);
    std::fill_n(hi, kLanes, -kInf);
    std::fill_n(count, kLanes, 0u);
    std::fill_n(in, kLanes, 0u);
    const auto lane = [&](std::size_t k, double y) {
        // A failed sample's NaN passes no comparison; beyond the single range is infinite.
        const float v = static_cast<float>(y);
        const bool ok = std::fabs(v) <= kMax;
        count[k] += ok;
        lo[k] = std::min(lo[k], ok ? v : kInf);
        hi[k] = std::max(hi[k], ok ? v : -kInf);
        in[k] |= std::fabs(v) <= range;
    };
    const std::size_t n = ys.size();
    std::size_t i = 0;
    for (; i + kLanes <= n; i += kLanes)
        for (std::size_t k = 0; k < kLanes; ++k) lane(k, ys[i + k]);
    for (; i < n; ++i) lane(0, ys[i]);

    std::size_t valuesHere = 0;
    for (std::size_t k = 0; k < kLanes; ++k) {
        valuesHere += count[k];
        if (count[k] == 0) continue;
        low = values == 0 ? lo[k] : std::min(low, lo[k]);
        high = values == 0 ? hi[k] : std::max(high, hi[k]);
        values += count[k];
        inside = inside || in[k] != 0;
    }
    if (valuesHere < n && firstFailure == eval::Failure::None) {
        for (std::size_t j = 0; j < n; ++j) {
            if (std::fabs(static_cast<float>(ys[j])) <= kMax) continue;
            // A value beyond the single range fails as the plot draws it.
            firstFailure =
                failures[j] != eval::Failure::None ? failures[j] : eval::Failure::Overflow;
            firstFailureX = xs[j];
            break;
        }
    }
    samples += n;
}

}  // namespace tracewell::plot
