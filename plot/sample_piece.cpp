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

void PieceMaker::make(const RunSpec& job, std::size_t piece, eval::Evaluator& engine,
                      PieceResult& out) noexcept {
    try {
        makeUnguarded(job, piece, engine, out);
    } catch (const std::bad_alloc&) {
        out.error = PieceError::OutOfMemory;
    } catch (...) {
        out.error = PieceError::Other;
    }
}

void PieceMaker::makeUnguarded(const RunSpec& job, std::size_t piece, eval::Evaluator& engine,
                               PieceResult& out) {
    out.error = PieceError::None;
    out.first = piece * job.pieceSize;
    const std::size_t n = std::min(job.pieceSize, job.plan->size() - out.first);
    out.count = n;
    out.pixels.clear();
    out.summary.start(job.yRange);
    out.engineFailures = 0;
    out.xs.clear();
    out.ys.clear();
    out.failures.clear();
    // In chunks that stay in the first-level cache from their x values to their pixels.
    auto chunk = [](auto& buffer) {
        if (buffer.size() < kChunk) buffer.extend(kChunk - buffer.size());
        return buffer.span().data();
    };
    float* const xs = chunk(singles_);
    double* const xValues = chunk(xValues_);
    double* const values = chunk(values_);
    eval::Failure* const failures = chunk(failures_);
    for (std::size_t done = 0; done < n; done += kChunk) {
        const std::size_t m = std::min(kChunk, n - done);
        const bool kept = job.keptSingles != nullptr;
        const std::span<float> x(kept ? job.keptSingles + out.first + done : xs, m);
        const std::span<double> xv(kept ? job.keptValues + out.first + done : xValues, m);
        const std::span<double> v(values, m);
        const std::span<eval::Failure> f(failures, m);
        if (!job.keptReady) {
            job.plan->singles(out.first + done, x);
            eval::xValues(x, xv);
        }
        engine.evaluate(*job.program, xv, v, f);

        if (job.draw) {
            const std::size_t before = out.pixels.size();
            const std::span<int> at(out.pixels.extend(m), m);
            int count;
            if (job.dense) {
                columns_.find(x, job.mapping);
                count = curvePixelsInColumns(columns_.runs(), 0, v, job.mapping, at);
            } else {
                count = curvePixels(x, v, job.mapping, at);
            }
            out.pixels.truncate(before + static_cast<std::size_t>(count));
        }
        out.summary.add(x, v, f);
        unsigned failed = 0;
        for (const eval::Failure kind : f) failed += kind != eval::Failure::None;
        out.engineFailures += failed;

        if (job.list) {
            std::copy(x.begin(), x.end(), out.xs.extend(m));
            float* ys = out.ys.extend(m);
            eval::Failure* kinds = out.failures.extend(m);
            for (std::size_t i = 0; i < m; ++i) {
                const eval::SingleSample s = eval::toSingle({v[i], f[i]});
                ys[i] = s.failure == eval::Failure::None ? s.value
                                                         : std::numeric_limits<float>::quiet_NaN();
                kinds[i] = s.failure;
            }
        }
    }
}

}  // namespace tracewell::plot
