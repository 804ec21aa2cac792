#pragma once
// The random user: clicks, keys, wheel turns and drags on every control, texts typed or
// pasted into the expression box, resizes, minimizing and the help, drawn from one seeded
// generator so that a seed always replays the same actions.

#include <QString>
#include <cstdint>
#include <random>
#include <utility>

#include "modal_closer.h"
#include "window_model.h"

namespace tracewell::stress {

class RandomActions {
public:
    // maxPlotCost bounds a single plot in samples times program instructions: an action that
    // could plot beyond it first sets the coarsest precision, as a patient user would.
    RandomActions(WindowModel& model, ModalCloser& closer, std::uint32_t seed, double maxPlotCost);

    // Performs one action with its events; the model then checks the window. Returns what
    // was done, for the failure log.
    QString next();

private:
    int pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
    // One of the three bars, with what had to be done first to keep its move's plot short.
    std::pair<platform::ScrollBar*, QString> barToMove();

    QString clickPic();
    QString pressEnter();
    QString clickLabel();
    QString clickArrowOrTrack();
    QString pressKey();
    QString turnWheel();
    QString dragThumb();
    QString enterText();
    QString editText();
    QSize anySize();
    QString resize();
    QString changeWindowState();
    QString restore();
    QString openHelp();
    QString callDirectly();

    // Before an action that may plot with x up to worstXRange.
    QString keepPlotAffordable(int worstXRange);
    double plotCost(int xRange);

    WindowModel& model_;
    const Controls& c_;
    ModalCloser& closer_;
    std::mt19937 rng_;
    double maxPlotCost_;
    bool restorePending_ = false;
    QString costedText_;  // the last text costed, and its instructions per sample
    double costPerSample_ = 0;
};

}  // namespace tracewell::stress
