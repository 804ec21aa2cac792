#pragma once
// The one set-up of a plot, shared by the window and tracewell-plot so that the two cannot
// drift apart: the state with its start values, the expression engine, the grid of x values
// kept between runs, the picture's colours and default size, and the run of the routine.

#include <QColor>
#include <QSize>
#include <QString>
#include <optional>

#include "eval/evaluator.h"
#include "eval/single.h"
#include "platform/image_surface.h"
#include "plot/plot_routine.h"
#include "plot/plot_state.h"
#include "plot/sample_grid.h"

namespace tracewell::plot {

// The one colour of the axes, the tick numbers and the curve.
inline const QColor kInk(1, 0, 66);

class Plotter {
public:
    Plotter();
    Plotter(const Plotter&) = delete;
    Plotter& operator=(const Plotter&) = delete;

    // The ranges at start, to which a click on their labels returns.
    static constexpr std::int16_t kStartXRange = 10, kStartYRange = 2;

    // The start values: the character table, filled through the shared loop index (which
    // is left at 127), and the ranges 10 and 2. Nothing else is set: no step yet.
    void load();

    // The step of an even level from 0 to 14; any other level keeps the step as it was.
    void setPrecision(int level);

    PlotState& state() { return state_; }
    const PlotState& state() const { return state_; }
    eval::Evaluator& engine() { return ScriptControl1; }

    // A white picture drawn in ink, cleared.
    static void dress(platform::ImageSurface& surface);
    // The plot area of the window as designed, 9015 x 5055 twips, in pixels at 96 dpi.
    static QSize defaultPictureSize();

    // Clears surface and draws the axes and the curve of text from the state. With
    // keepSamples, samples() then lists every sample of this run; otherwise it is emptied.
    // A run that runs out of memory says so; after any failure every cache is left empty,
    // its memory freed, so that the next run starts afresh.
    std::optional<PlotProblem> plot(platform::ImageSurface& surface, const QString& text,
                                    bool keepSamples = false);
    const PlotSamples& samples() const { return samples_; }
    // What the last run's samples came to, for its messages.
    const RunSummary& summary() const { return summary_; }

    // The value of the last plotted text at x, as a sample at that x has it; nothing when the
    // last run's text could not be read or the picture was cleared since.
    std::optional<eval::SingleSample> valueAt(float x) const;
    bool hasCurve() const { return program_.has_value(); }
    // The picture was cleared: its curve is no longer there to read.
    void forgetCurve() { program_.reset(); }

private:
    void ScriptControl1_Error() { state_.Idx = 0; }
    void forgetCaches();

    PlotState state_;
    eval::Evaluator ScriptControl1;  // the expression engine; its error event sets Idx to 0
    SampleGrid grid_;                // kept between runs: the same range reuses its samples
    AxesCache axes_;                 // the same axes again are copied, not drawn
    PixelColumns columns_;           // the grid's pixel columns, found once for a mapping
    PlotSamples samples_;
    RunSummary summary_;
    std::optional<eval::Program> program_;  // of the last run, when its text could be read
};

}  // namespace tracewell::plot
