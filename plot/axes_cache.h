#pragma once
// The picture of the axes, put back instead of drawn when a run draws the same axes as the
// runs before it: on the finest replots of one range, drawing the tick labels costs more
// than copying the picture.

#include <optional>

#include "platform/image_surface.h"

namespace tracewell::plot {

class AxesCache {
public:
    // Puts back the kept axes when the surface has the look they were drawn with.
    bool restore(platform::ImageSurface& surface) const {
        return snapshot_ && surface.restore(*snapshot_);
    }

    // Called after the axes were drawn. They are kept only when the run before drew the
    // same: a sweep through the ranges draws each once, and copying would only slow it.
    void drawn(const platform::ImageSurface& surface) {
        const platform::ImageSurface::Look look = surface.look();
        if (last_ == look) {
            snapshot_ = surface.snapshot();
            return;
        }
        last_ = look;
        snapshot_.reset();
    }

private:
    std::optional<platform::ImageSurface::Look> last_;
    std::optional<platform::ImageSurface::Snapshot> snapshot_;
};

}  // namespace tracewell::plot
