#include "plot/plotter.h"

#include <cmath>
#include <new>

#include "eval/x_text.h"
#include "platform/twips.h"
#include "plot/step_table.h"
#include "plot/window_layout.h"

namespace tracewell::plot {

Plotter::Plotter() {
    ScriptControl1.setErrorHandler([this] { ScriptControl1_Error(); });
}

void Plotter::load() {
    state_.Idx = CharacterTable::kFirst;
    while (state_.Idx <= CharacterTable::kLast) {
        state_.CharTable.set(state_.Idx, QString(QChar(state_.Idx)));
        ++state_.Idx;
    }
    state_.XRange = kStartXRange;
    state_.YRange = kStartYRange;
}

void Plotter::setPrecision(int level) {
    if (const auto step = StepTable::stepFor(level)) state_.XStep = *step;
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
                                         bool keepSamples) {
    try {
        // Emptied, not freed: the next run that keeps its samples reuses the vectors, so a
        // finest plot does not fault in fresh pages for its 1.25 million samples every time.
        samples_.xs.clear();
        samples_.ys.clear();
        samples_.failures.clear();
        return runPlot(state_, text,
                       {surface, ScriptControl1, grid_, axes_, columns_, summary_, program_},
                       keepSamples ? &samples_ : nullptr);
    } catch (const std::bad_alloc&) {
        forgetCaches();
        return PlotProblem{0, QStringLiteral("Not enough memory for this plot"), 1, true};
    } catch (...) {
        forgetCaches();  // whatever failed, nothing half made is kept
        throw;
    }
}

void Plotter::forgetCaches() {
    grid_.reset();
    axes_ = AxesCache();
    columns_ = PixelColumns();
    samples_ = PlotSamples();
    program_.reset();
}

std::optional<eval::SingleSample> Plotter::valueAt(float x) const {
    if (!program_) return std::nullopt;
    // An engine of its own: ScriptControl1's error event belongs to the plot runs.
    eval::Evaluator engine;
    return eval::toSingle(engine.evaluate(*program_, eval::xValue(x)));
}

}  // namespace tracewell::plot
