#include "plot/run_summary.h"

#include <cmath>

#include "eval/single.h"

namespace tracewell::plot {

void RunSummary::add(std::span<const float> xs, std::span<const double> values,
                     std::span<const eval::Failure> failures) {
    if (xs.empty()) return;
    RunSummary piece;
    piece.samples = xs.size();
    piece.firstX = xs[0];
    piece.firstFailure = eval::toSingle({values[0], failures[0]}).failure;
    // A failed sample's value is NaN; one beyond the single range becomes infinite.
    for (const double v : values)
        if (std::isfinite(static_cast<float>(v))) {
            piece.anyValue = true;
            break;
        }
    append(piece);
}

void RunSummary::append(const RunSummary& later) {
    if (later.samples == 0) return;
    if (samples == 0) {
        firstX = later.firstX;
        firstFailure = later.firstFailure;
    }
    samples += later.samples;
    anyValue = anyValue || later.anyValue;
}

}  // namespace tracewell::plot
