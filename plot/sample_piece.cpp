#include "plot/sample_piece.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <new>

#include "eval/single.h"
#include "eval/x_text.h"
#include "plot/curve_pixels.h"

namespace tracewell::plot {

std::size_t RunSpec::pieceSizeFor(const eval::Program& program) {
    // In samples times instructions, the few beside the program's own standing for making
    // the x values and the pixels.
    constexpr std::size_t kPieceCost = std::size_t{1} << 20;
    constexpr std::size_t kSmallest = 64, kLargest = 16384;
    const std::size_t perSample = program.code().size() + 8;
    return std::clamp(std::bit_floor(kPieceCost / perSample), kSmallest, kLargest);
}

void PieceMaker::make(const RunSpec& spec, std::size_t piece, eval::Evaluator& engine,
                      PieceResult& out) noexcept {
    try {
        makeUnguarded(spec, piece, engine, out);
    } catch (const std::bad_alloc&) {
        out.error = PieceError::OutOfMemory;
    } catch (...) {
        out.error = PieceError::Other;
    }
}

void PieceMaker::makeUnguarded(const RunSpec& spec, std::size_t piece, eval::Evaluator& engine,
                               PieceResult& out) {
    out.error = PieceError::None;
    out.first = piece * spec.pieceSize;
    const std::size_t n = std::min(spec.pieceSize, spec.plan->size() - out.first);
    out.count = n;
    auto fresh = [n](auto& buffer) {
        buffer.clear();
        return std::span(buffer.extend(n), n);
    };
    const std::span<float> xs = fresh(singles_);
    const std::span<double> xValues = fresh(xValues_), values = fresh(values_);
    const std::span<eval::Failure> failures = fresh(failures_);

    spec.plan->singles(out.first, xs);
    eval::xValues(xs, xValues);
    engine.evaluate(*spec.program, xValues, values, failures);

    out.pixels.clear();
    if (spec.draw) {
        const std::span<int> at = fresh(out.pixels);
        int count;
        if (spec.dense) {
            columns_.find(xs, spec.mapping);
            count = curvePixelsInColumns(columns_.runs(), 0, values, spec.mapping, at);
        } else {
            count = curvePixels(xs, values, spec.mapping, at);
        }
        out.pixels.truncate(static_cast<std::size_t>(count));
    }
    out.summary = {};
    out.summary.add(xs, values, failures);
    out.engineFailures = static_cast<std::size_t>(
        std::count_if(failures.begin(), failures.end(),
                      [](eval::Failure f) { return f != eval::Failure::None; }));

    out.xs.clear();
    out.ys.clear();
    out.failures.clear();
    if (spec.list) {
        std::copy(xs.begin(), xs.end(), fresh(out.xs).begin());
        const std::span<float> ys = fresh(out.ys);
        const std::span<eval::Failure> kinds = fresh(out.failures);
        for (std::size_t i = 0; i < n; ++i) {
            const eval::SingleSample v = eval::toSingle({values[i], failures[i]});
            ys[i] = v.failure == eval::Failure::None ? v.value
                                                     : std::numeric_limits<float>::quiet_NaN();
            kinds[i] = v.failure;
        }
    }
}

}  // namespace tracewell::plot
