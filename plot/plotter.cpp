#include "plot/plotter.h"

#include <cmath>
#include <stdexcept>

#include "eval/x_text.h"
#include "platform/twips.h"
#include "plot/limits.h"
#include "plot/step_table.h"
#include "plot/window_layout.h"

namespace tracewell::plot {
namespace {

using Clock = std::chrono::steady_clock;

// Below this many samples times instructions a plot runs on the calling thread alone: waking
// the workers and handing the pieces over would cost more than they save.
constexpr std::size_t kWorthWorkers = std::size_t{1} << 20;
// How far the workers may run ahead of the thread that applies their pieces: in the window,
// which looks in only every few tens of milliseconds, far, as a piece's pixels are few; when
// the samples are listed, which takes longer than making them, only a little, so that a
// listing holds a few pieces.
constexpr std::size_t kRingSlots = 64;
std::size_t aheadFor(const RunSpec& job, int workers) {
    return job.list ? 2 * static_cast<std::size_t>(workers + 1) : kRingSlots;
}

bool sameMapping(const platform::ImageSurface::PixelMapping& a,
                 const platform::ImageSurface::PixelMapping& b) {
    return a.scaleX == b.scaleX && a.offsetX == b.offsetX && a.scaleY == b.scaleY &&
           a.offsetY == b.offsetY && a.width == b.width && a.height == b.height &&
           a.stride == b.stride;
}

}  // namespace

Plotter::Plotter(int workers) : onError_([this] { ScriptControl1_Error(); }), ring_(kRingSlots) {
    if (workers <= 0) return;
    pool_ = std::make_unique<WorkerPool>(workers);
    if (pool_->size() == 0) {
        pool_.reset();
        return;
    }
    workers_ = std::make_unique<Worker[]>(static_cast<std::size_t>(pool_->size()));
}

Plotter::~Plotter() {
    stop();
    pool_.reset();  // joins the workers, each done within its piece
}

void Plotter::load() {
    state_.Idx = CharacterTable::kFirst;
    while (state_.Idx <= CharacterTable::kLast) {
        state_.CharTable.set(state_.Idx, QString(QChar(state_.Idx)));
        ++state_.Idx;
    }
    state_.XRange = kXRangeBar.start;
    state_.YRange = kYRangeBar.start;
}

void Plotter::setPrecision(int level) {
    if (const auto step = StepTable::stepFor(level)) state_.XStep = *step;
}

void Plotter::setErrorHandler(eval::Evaluator::ErrorHandler handler) {
    onError_ = std::move(handler);
}

void Plotter::dress(platform::ImageSurface& surface) {
    surface.setBackground(Qt::white);
    surface.setForeground(kInk);
    surface.clear();
}

QSize Plotter::defaultPictureSize() {
    constexpr double kTwipsPerPixel = platform::kTwipsPerInch / 96;
    const QRectF pic = designLayout().Pic;
    return {static_cast<int>(std::lround(pic.width() / kTwipsPerPixel)),
            static_cast<int>(std::lround(pic.height() / kTwipsPerPixel))};
}

std::optional<PlotProblem> Plotter::plot(platform::ImageSurface& surface, const QString& text,
                                         SampleSink sink) {
    auto problem = begin(surface, text, std::move(sink));
    while (!advance(std::chrono::hours(1))) {
    }
    if (!problem && ending_ == Ending::OutOfMemory) problem = outOfMemoryProblem();
    return problem;
}

std::optional<PlotProblem> Plotter::begin(platform::ImageSurface& surface, const QString& text,
                                          SampleSink sink) {
    try {
        return beginUnguarded(surface, text, std::move(sink));
    } catch (const std::bad_alloc&) {
        forgetCaches();
        return outOfMemoryProblem();
    } catch (...) {
        forgetCaches();  // whatever failed, nothing half made is kept
        throw;
    }
}

std::optional<PlotProblem> Plotter::beginUnguarded(platform::ImageSurface& surface,
                                                   const QString& text, SampleSink sink) {
    stop();
    summary_.start(state_.YRange);
    ending_ = Ending::Finished;
    finished_.reset();
    if (auto problem = beginRun(state_, text, surface, axes_, program_)) return problem;

    const PlanKey key{static_cast<float>(state_.XStart), static_cast<float>(state_.XRange),
                      state_.XStep};
    plan_.prepare(key.first, key.bound, key.step);
    RunSpec job;
    job.program = program_;
    job.plan = std::make_shared<const SamplePlan>(plan_);
    job.mapping = surface.pixelMapping();
    job.dense = PixelColumns::dense(plan_.size(), job.mapping);
    job.yRange = state_.YRange;
    job.list = static_cast<bool>(sink);
    job.pieceSize = RunSpec::pieceSizeFor(*program_);
    startSampling(std::move(job), std::move(sink), &surface);
    if (onThisThread_ && plan_.size() <= kKeptSamples) keepXValues(key);
    return std::nullopt;
}

void Plotter::keepXValues(const PlanKey& key) {
    job_.keptReady = keptFor_ == key;
    if (!job_.keptReady) {
        keptFor_.reset();
        keptSingles_.clear();
        keptValues_.clear();
        keptSingles_.extend(plan_.size());
        keptValues_.extend(plan_.size());
        filling_ = key;
    }
    job_.keptSingles = keptSingles_.span().data();
    job_.keptValues = keptValues_.span().data();
}

void Plotter::forgetCaches() {
    if (active_) end(Ending::Stopped);
    plan_ = SamplePlan();
    keptFor_.reset();
    filling_.reset();
    axes_ = AxesCache();
    program_.reset();
    finished_.reset();
}

std::optional<eval::SingleSample> Plotter::valueAt(float x) const {
    if (!program_) return std::nullopt;
    // An engine of its own: ScriptControl1's error event belongs to the plot runs.
    eval::Evaluator engine;
    return eval::toSingle(engine.evaluate(*program_, eval::xValue(x)));
}

void Plotter::startSampling(RunSpec job, SampleSink sink, platform::ImageSurface* surface) {
    job_ = std::move(job);
    sink_ = std::move(sink);
    surface_ = surface;
    appliedPieces_ = appliedSamples_ = 0;
    active_ = true;
    const std::size_t cost = job_.plan->size() * (job_.program->code().size() + 8);
    onThisThread_ = !pool_ || cost < kWorthWorkers;
    if (onThisThread_) return;

    ring_.waitForWorkers();  // those of the run before, each done within its piece
    const std::uint64_t run = ring_.start(job_.pieces(), aheadFor(job_, pool_->size()));
    try {
        post(run);
    } catch (...) {
        ring_.stop();
        onThisThread_ = true;  // no memory to hand the run over: this thread makes it
    }
}

void Plotter::post(std::uint64_t run) {
    pool_->post([this, job = std::make_shared<const RunSpec>(job_), hook = hook_, run](int worker) {
        if (!ring_.join(run)) return;
        struct Leave {
            PieceRing& ring;
            ~Leave() { ring.leave(); }
        } leave{ring_};
        Worker& me = workers_[static_cast<std::size_t>(worker)];
        while (const auto piece = ring_.claim()) {
            if (hook) {
                hook(*piece);
                if (ring_.stopped()) return;
            }
            me.maker.make(*job, *piece, me.engine, ring_.slot(*piece));
            ring_.made(*piece);
        }
    });
}

bool Plotter::advance(std::chrono::milliseconds wait) {
    if (!active_) return true;
    if (surfaceChanged()) {
        // Pixels found for another size or scale would land in the wrong places.
        end(Ending::Stopped);
        return true;
    }
    const Clock::time_point deadline = Clock::now() + wait;
    if (onThisThread_)
        makeOnThisThread(deadline);
    else
        takeFromWorkers(deadline);
    if (active_ && appliedPieces_ == job_.pieces()) end(Ending::Finished);
    return !active_;
}

void Plotter::makeOnThisThread(Clock::time_point deadline) {
    const std::size_t pieces = job_.pieces();
    while (active_ && appliedPieces_ < pieces) {
        if (hook_) hook_(appliedPieces_);
        maker_.make(job_, appliedPieces_, ScriptControl1, piece_);
        apply(piece_);
        if (Clock::now() >= deadline) return;
    }
}

void Plotter::takeFromWorkers(Clock::time_point deadline) {
    // While it waits, this thread makes pieces too: a plot never waits for a worker to wake,
    // and until the deadline there is one more thread at work.
    while (active_) {
        const PieceResult* piece = ring_.next(Clock::time_point());
        if (!piece && Clock::now() < deadline) {
            if (const auto claimed = ring_.tryClaim()) {
                if (hook_) hook_(*claimed);
                maker_.make(job_, *claimed, ScriptControl1, ring_.slot(*claimed));
                ring_.made(*claimed);
                continue;
            }
            piece = ring_.next(deadline);
        }
        if (!piece) return;
        apply(*piece);
        ring_.applied();
    }
}

void Plotter::apply(const PieceResult& piece) {
    if (piece.error == PieceError::OutOfMemory) {
        end(Ending::OutOfMemory);
        return;
    }
    if (piece.error != PieceError::None) {
        end(Ending::Stopped);
        throw std::runtime_error("a piece of the plot could not be computed");
    }
    if (!listing_) {
        if (surface_ && job_.draw) surface_->setPixels(piece.pixels.span());
        summary_.append(piece.summary);
        if (onError_)
            for (std::size_t i = 0; i < piece.engineFailures; ++i) onError_();
    }
    ++appliedPieces_;
    appliedSamples_ += piece.count;
    if (sink_ && !sink_(piece.xs.span(), piece.ys.span(), piece.failures.span())) {
        sink_ = {};
        if (listing_) end(Ending::Stopped);  // nobody takes the rest
    }
}

void Plotter::end(Ending ending) {
    if (!onThisThread_) ring_.stop();  // nothing more is claimed; pieces made are dropped
    active_ = false;
    sink_ = {};
    surface_ = nullptr;
    if (listing_) {
        listed_ = ending == Ending::Finished;
        return;
    }
    ending_ = ending;
    if (filling_ && ending == Ending::Finished) keptFor_ = filling_;
    filling_.reset();
    state_.CurX = job_.plan->single(appliedSamples_);
    if (ending == Ending::Finished && job_.plan->size() > 0)
        finished_ = std::make_unique<Finished>(Finished{job_.program, job_.plan});
}

bool Plotter::stop() {
    if (!active_) return false;
    if (!onThisThread_) {
        ring_.stop();
        takeFromWorkers(Clock::now());  // the pieces already made
    }
    if (active_) end(appliedPieces_ == job_.pieces() ? Ending::Finished : Ending::Stopped);
    return true;
}

bool Plotter::surfaceChanged() const {
    return surface_ && !sameMapping(surface_->pixelMapping(), job_.mapping);
}

double Plotter::progress() const {
    const std::size_t total = job_.plan ? job_.plan->size() : 0;
    return total == 0 ? 1.0 : static_cast<double>(appliedSamples_) / static_cast<double>(total);
}

std::optional<PlotProblem> Plotter::runProblem() const {
    switch (ending_) {
        case Ending::Stopped:
            return stoppedProblem(state_.CurX);
        case Ending::OutOfMemory:
            return outOfMemoryProblem();
        case Ending::Finished:
            break;
    }
    return noCurveProblem(summary_);
}

bool Plotter::listSamples(const SampleSink& sink) {
    if (active_ || !finished_) return false;
    RunSpec job;
    job.program = finished_->program;
    job.plan = finished_->plan;
    job.draw = false;
    job.list = true;
    job.pieceSize = RunSpec::pieceSizeFor(*job.program);
    bool refused = false;
    listing_ = true;
    listed_ = false;
    try {
        startSampling(
            std::move(job),
            [&](std::span<const float> xs, std::span<const float> ys,
                std::span<const eval::Failure> failures) {
                refused = !sink(xs, ys, failures);
                return !refused;
            },
            nullptr);
        while (!advance(std::chrono::hours(1))) {
        }
    } catch (...) {
        if (active_) end(Ending::Stopped);
        listing_ = false;
        throw;
    }
    listing_ = false;
    return listed_ && !refused;
}

}  // namespace tracewell::plot
