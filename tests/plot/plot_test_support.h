#pragma once
// A plot routine on an image of its own, with the state the window has after loading.

#include "plot/plot_routine.h"
#include "plot/step_table.h"

namespace tracewell::plot::testing {

inline const QColor kInk(1, 0, 66);

struct PlotRig {
    PlotState state;
    platform::ImageSurface surface{QSize(600, 300), 1.0};
    eval::Evaluator engine;
    SampleGrid grid;
    int errorEvents = 0;

    explicit PlotRig(int xRange = 10, int yRange = 2, int level = 6) {
        for (int c = CharacterTable::kFirst; c <= CharacterTable::kLast; ++c)
            state.CharTable.set(c, QString(QChar(c)));
        state.XRange = static_cast<std::int16_t>(xRange);
        state.YRange = static_cast<std::int16_t>(yRange);
        state.XStep = StepTable::stepFor(level).value_or(0);
        surface.setForeground(kInk);
        surface.clear();
        engine.setErrorHandler([this] {
            ++errorEvents;
            state.Idx = 0;
        });
    }

    std::optional<PlotProblem> plot(const QString& text, PlotSamples* samples = nullptr) {
        return runPlot(state, text, {surface, engine, grid}, samples);
    }

    bool inked(QPointF user) const {
        const QPoint d = surface.toDevice(user);
        return surface.image().rect().contains(d) && surface.image().pixelColor(d) == kInk;
    }

    int inkedPixels() const {
        int n = 0;
        const QImage& im = surface.image();
        for (int y = 0; y < im.height(); ++y)
            for (int x = 0; x < im.width(); ++x) n += im.pixelColor(x, y) == kInk;
        return n;
    }
};

}  // namespace tracewell::plot::testing
