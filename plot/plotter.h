#pragma once
// The one set-up of a plot, shared by the window and tracewell-plot so that the two cannot
// drift apart: the state with its start values, the expression engine, the picture's colours
// and default size, and the run of the routine.
//
// A run samples in pieces. Beside the calling thread the plotter keeps workers, one per
// processor unless told otherwise, that live as long as it does; a plot too small to gain
// from them runs on the calling thread alone. The pieces are applied on the calling thread
// in order, so a run draws, lists and reports exactly what it would on one thread.

#include <QColor>
#include <QSize>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <span>

#include "eval/evaluator.h"
#include "eval/single.h"
#include "platform/image_surface.h"
#include "plot/piece_ring.h"
#include "plot/plot_routine.h"
#include "plot/plot_state.h"
#include "plot/run_summary.h"
#include "plot/sample_piece.h"
#include "plot/sample_plan.h"
#include "plot/worker_pool.h"

namespace tracewell::plot {

// The one colour of the axes, the tick numbers and the curve.
inline const QColor kInk(1, 0, 66);

// Receives a run's samples a piece at a time, in order: x, y as drawn (NaN where the sample
// has no value) and why a sample has none. Returns false to receive no more.
using SampleSink = std::function<bool(std::span<const float> xs, std::span<const float> ys,
                                      std::span<const eval::Failure> failures)>;

class Plotter {
public:
    // workers: the threads that make a plot's pieces; 0 makes every plot on the calling
    // thread, as the single thread does.
    explicit Plotter(int workers = WorkerPool::processors());
    ~Plotter();  // stops a running plot: the workers end within a piece
    Plotter(const Plotter&) = delete;
    Plotter& operator=(const Plotter&) = delete;

    // The start values: the character table, filled through the shared loop index (which
    // is left at 127), and the ranges' starts (plot/limits.h). Nothing else is set: no step yet.
    void load();

    // The step of an even level from 0 to 14; any other level keeps the step as it was.
    void setPrecision(int level);

    PlotState& state() { return state_; }
    const PlotState& state() const { return state_; }
    int workers() const { return pool_ ? pool_->size() : 0; }

    // What the engine's error event runs, once for every sample whose evaluation fails, on
    // the thread that runs the plot: ScriptControl1_Error unless replaced.
    void setErrorHandler(eval::Evaluator::ErrorHandler handler);

    // A white picture drawn in ink, cleared.
    static void dress(platform::ImageSurface& surface);
    // The plot area of the window as designed, 9015 x 5055 twips, in pixels at 96 dpi.
    static QSize defaultPictureSize();

    // Clears surface and draws the axes and the curve of text from the state; sink, if any,
    // receives every sample. Returns why no curve was drawn when text is refused or cannot
    // be read, or when the run ran out of memory; how the sampling ended is runProblem().
    // After a failure nothing half made is kept: the next run starts afresh.
    std::optional<PlotProblem> plot(platform::ImageSurface& surface, const QString& text,
                                    SampleSink sink = {});

    // The same in steps. begin() does everything up to the sampling and starts it; a run
    // that begins stops the one before. advance() applies the pieces made, waiting at most
    // wait for the rest, and returns whether the run is over. surface must stay as it is
    // until then: a surface that changed size or scale ends the run.
    std::optional<PlotProblem> begin(platform::ImageSurface& surface, const QString& text,
                                     SampleSink sink = {});
    bool advance(std::chrono::milliseconds wait);
    bool running() const { return active_; }
    // The share of the samples drawn, 0 to 1.
    double progress() const;
    // Stops the running plot after the pieces already made: what is drawn stays, and the
    // state is what a run stopped there leaves. Returns whether a plot was running.
    bool stop();

    // How the last run's sampling ended: nothing for a finished run whose samples have
    // values, else why not ("Stopped at x = 12.5", no value in the range, no memory).
    std::optional<PlotProblem> runProblem() const;
    // Whether the last run's sampling went to its end.
    bool completed() const { return ending_ == Ending::Finished; }
    const RunSummary& summary() const { return summary_; }

    // Whether the last run finished with samples, which listSamples() then gives again.
    bool hasSamples() const { return finished_ != nullptr; }
    // The last finished run's samples, computed again (the same text, ranges and step give
    // the same samples): sink receives them in order. Returns false when there were none,
    // the sink refused some, or there was not enough memory.
    bool listSamples(const SampleSink& sink);

    // The value of the last plotted text at x, as a sample at that x has it; nothing when the
    // last run's text could not be read or the picture was cleared since.
    std::optional<eval::SingleSample> valueAt(float x) const;
    bool hasCurve() const { return program_ != nullptr; }
    // The picture was cleared: its curve is no longer there to read.
    void forgetCurve() { program_.reset(); }

    // A seam for tests, a slowed engine: called on the thread that makes a piece, with the
    // piece's number, before it makes it. Set it while no plot runs.
    void setPieceHook(std::function<void(std::size_t piece)> hook) { hook_ = std::move(hook); }

private:
    void ScriptControl1_Error() { state_.Idx = 0; }
    std::optional<PlotProblem> beginUnguarded(platform::ImageSurface& surface, const QString& text,
                                              SampleSink sink);
    void forgetCaches();

    enum class Ending { Finished, Stopped, OutOfMemory };
    struct Finished {
        std::shared_ptr<const eval::Program> program;
        std::shared_ptr<const SamplePlan> plan;
    };

    // Starts sampling job on the workers, or on this thread when it is too small to gain.
    void startSampling(RunSpec job, SampleSink sink, platform::ImageSurface* surface);
    void post(std::uint64_t run);
    void makeOnThisThread(std::chrono::steady_clock::time_point deadline);
    void takeFromWorkers(std::chrono::steady_clock::time_point deadline);
    void apply(const PieceResult& piece);
    void end(Ending ending);
    bool surfaceChanged() const;

    PlotState state_;
    // The expression engine of this thread. Its error event, onError_ (ScriptControl1_Error
    // unless replaced), is raised once for each failed sample as its piece is applied, for
    // the pieces of every thread alike.
    eval::Evaluator ScriptControl1;
    eval::Evaluator::ErrorHandler onError_;
    AxesCache axes_;  // the same axes again are copied, not drawn
    SamplePlan plan_;
    std::shared_ptr<const eval::Program> program_;
    std::function<void(std::size_t)> hook_;

    // The run going on, or the last one. A listing run draws nothing and leaves the state
    // and the summary alone.
    bool active_ = false, onThisThread_ = false, listing_ = false, listed_ = false;
    RunSpec job_;
    SampleSink sink_;
    platform::ImageSurface* surface_ = nullptr;
    std::size_t appliedPieces_ = 0, appliedSamples_ = 0;
    RunSummary summary_;
    Ending ending_ = Ending::Finished;
    std::unique_ptr<Finished> finished_;

    // The singles and x values of the last small plan made on this thread, kept for the next
    // run of the same plan: making them costs about what sin(x) does, so a replot of the same
    // range and level (a new text or y range) takes about a third less (plot_bench
    // level8_warm). Bounded: a plan of more samples keeps nothing.
    static constexpr std::size_t kKeptSamples = std::size_t{1} << 16;
    struct PlanKey {
        float first, bound, step;
        bool operator==(const PlanKey&) const = default;
    };
    void keepXValues(const PlanKey& key);
    RawBuffer<float> keptSingles_;
    RawBuffer<double> keptValues_;
    std::optional<PlanKey> keptFor_;  // whose values are kept, once a run made them all
    std::optional<PlanKey> filling_;  // the run going on makes them

    PieceMaker maker_;  // this thread's
    PieceResult piece_;
    PieceRing ring_;
    struct Worker {
        eval::Evaluator engine;  // each its own: an evaluator has scratch of its own
        PieceMaker maker;
    };
    std::unique_ptr<Worker[]> workers_;
    std::unique_ptr<WorkerPool> pool_;  // last: its threads end first
};

}  // namespace tracewell::plot
