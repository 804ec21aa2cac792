#pragma once
// A plot routine on an image of its own, with the state the window has after loading.

#include <vector>

#include "plot/plotter.h"
#include "support/ink.h"

namespace tracewell::plot::testing {

// Every sample of the last finished plot, listed again. A failed sample's y is NaN.
struct PlotSamples {
    std::vector<float> xs;
    std::vector<float> ys;
    std::vector<eval::Failure> failures;
};

struct PlotRig {
    Plotter plotter;
    PlotState& state = plotter.state();
    platform::ImageSurface surface{QSize(600, 300), 1.0};
    int errorEvents = 0;

    explicit PlotRig(int xRange = 10, int yRange = 2, int level = 6,
                     int workers = WorkerPool::processors())
        : plotter(workers) {
        plotter.load();
        state.XRange = static_cast<std::int16_t>(xRange);
        state.YRange = static_cast<std::int16_t>(yRange);
        plotter.setPrecision(level);
        Plotter::dress(surface);
        // Counts the error events, and does what the plotter's own handler does.
        plotter.setErrorHandler([this] {
            ++errorEvents;
            state.Idx = 0;
        });
    }

    std::optional<PlotProblem> plot(const QString& text, PlotSamples* samples = nullptr) {
        const auto problem = plotter.plot(surface, text);
        if (samples) {
            *samples = {};
            plotter.listSamples([samples](std::span<const float> xs, std::span<const float> ys,
                                          std::span<const eval::Failure> failures) {
                samples->xs.insert(samples->xs.end(), xs.begin(), xs.end());
                samples->ys.insert(samples->ys.end(), ys.begin(), ys.end());
                samples->failures.insert(samples->failures.end(), failures.begin(), failures.end());
                return true;
            });
        }
        return problem;
    }

    bool inked(QPointF user) const {
        const QPoint d = surface.toDevice(user);
        return surface.image().rect().contains(d) && surface.image().pixelColor(d) == kInk;
    }

    int inkedPixels() const { return tracewell::testing::inkedPixels(surface.image()); }
};

}  // namespace tracewell::plot::testing
