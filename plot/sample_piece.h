#pragma once
// One piece of a run: its samples made from the plan and evaluated, and what the thread that
// applies the pieces needs of them: the pixels to set, a summary and, where asked, the
// samples as they are listed. A piece may be made on any thread, with that thread's own
// engine and buffers, and comes out the same wherever it is made.

#include <cstddef>
#include <memory>

#include "eval/evaluator.h"
#include "platform/image_surface.h"
#include "plot/pixel_columns.h"
#include "plot/raw_buffer.h"
#include "plot/run_summary.h"
#include "plot/sample_plan.h"

namespace tracewell::plot {

// What every piece of one run shares; immutable while the run goes on.
struct RunSpec {
    std::shared_ptr<const eval::Program> program;
    std::shared_ptr<const SamplePlan> plan;
    platform::ImageSurface::PixelMapping mapping{};
    bool dense = false;  // the pixel pass goes by columns (see pixel_columns.h)
    int yRange = 1;      // for the summary
    bool draw = true;
    bool list = false;  // the samples themselves, for a table
    std::size_t pieceSize = 1;
    // Where the singles and x values of every sample are kept between runs, for a small run
    // made on one thread alone (see Plotter): read when keptReady, else written there.
    float* keptSingles = nullptr;
    double* keptValues = nullptr;
    bool keptReady = false;

    std::size_t pieces() const { return (plan->size() + pieceSize - 1) / pieceSize; }
    // Samples per piece for a program: a piece costs about the same whatever the text, a
    // few milliseconds at most, so that a stop never waits long and the pieces of a short
    // plot are not so small that handing them over costs more than making them.
    static std::size_t pieceSizeFor(const eval::Program& program);
};

enum class PieceError : std::uint8_t { None, OutOfMemory, Other };

struct PieceResult {
    std::size_t first = 0;  // the index of its first sample
    std::size_t count = 0;
    PieceError error = PieceError::None;
    RawBuffer<int> pixels;  // in sample order, for ImageSurface::setPixels
    RunSummary summary;
    std::size_t engineFailures = 0;  // the samples for which the engine raised its error event
    // Listed: x, y as drawn (NaN where the sample has no value) and why a sample has none.
    RawBuffer<float> xs, ys;
    RawBuffer<eval::Failure> failures;
};

// The buffers of one thread.
class PieceMaker {
public:
    // Never throws: a failure is the result's error.
    void make(const RunSpec& job, std::size_t piece, eval::Evaluator& engine,
              PieceResult& out) noexcept;

private:
    static constexpr std::size_t kChunk = 1024;
    void makeUnguarded(const RunSpec& job, std::size_t piece, eval::Evaluator& engine,
                       PieceResult& out);

    RawBuffer<float> singles_;  // kChunk of each
    RawBuffer<double> xValues_, values_;
    RawBuffer<eval::Failure> failures_;
    PixelColumns columns_;
};

}  // namespace tracewell::plot
