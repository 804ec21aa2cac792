#pragma once
// How much of a picture the plot has drawn in.

#include <QImage>

#include "plot/plotter.h"

namespace tracewell::testing {

// The pixels of image in the plot's ink.
inline int inkedPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == plot::kInk;
    return n;
}

}  // namespace tracewell::testing
