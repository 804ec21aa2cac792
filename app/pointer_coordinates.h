#pragma once
// The plot-unit coordinates under the pointer, written with as many decimals as one pixel of
// the plot area needs at the current ranges.

#include <QPointF>
#include <QSize>
#include <QString>

namespace tracewell::app {

// "x = 5.02   y = 1.00" for the pixel at pos (in logical pixels from the area's top left) of an
// area of the given size, whose x runs from -xRange to xRange and y from yRange at the top to
// -yRange at the bottom. An empty area gives an empty text.
QString pointerCoordinates(QSize area, QPointF pos, int xRange, int yRange);

}  // namespace tracewell::app
