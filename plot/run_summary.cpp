#include "plot/run_summary.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tracewell::plot {

void RunSummary::start(int range) { *this = RunSummary{.yRange = range}; }

void RunSummary::add(std::span<const float> xs, std::span<const double> ys,
                     std::span<const eval::Failure> failures) {
    samples += ys.size();
    if (inside) return;
    const auto range = static_cast<float>(yRange);
    for (std::size_t i = 0; i < ys.size(); ++i) {
        // A failed sample's NaN passes no comparison; beyond the single range is infinite.
        const float v = static_cast<float>(ys[i]);
        if (std::fabs(v) <= range) {
            inside = anyValue = true;
            return;
        }
        if (std::fabs(v) <= std::numeric_limits<float>::max()) {
            low = anyValue ? std::min(low, v) : v;
            high = anyValue ? std::max(high, v) : v;
            anyValue = true;
        } else if (firstFailure == eval::Failure::None) {
            // A value beyond the single range fails as the plot draws it.
            firstFailure =
                failures[i] != eval::Failure::None ? failures[i] : eval::Failure::Overflow;
            firstFailureX = xs[i];
        }
    }
}

void RunSummary::append(const RunSummary& later) {
    samples += later.samples;
    if (inside) return;
    if (later.inside) {
        inside = anyValue = true;
        return;
    }
    if (later.anyValue) {
        low = anyValue ? std::min(low, later.low) : later.low;
        high = anyValue ? std::max(high, later.high) : later.high;
        anyValue = true;
    }
    if (firstFailure == eval::Failure::None) {
        firstFailure = later.firstFailure;
        firstFailureX = later.firstFailureX;
    }
}

}  // namespace tracewell::plot
