#pragma once
// The plot-unit coordinates under the pointer, written with as many decimals as one pixel of
// the plot area needs at the current ranges, and the expression's value there.

#include <QPointF>
#include <QSize>
#include <QString>

#include "eval/single.h"

namespace tracewell::app {

// The middle of the pixel at pos (in logical pixels from the area's top left) of an area of
// the given size, whose x runs from -xRange to xRange and y from yRange at the top to -yRange
// at the bottom, and its texts. An empty area gives empty texts.
struct PointerPlace {
    double x = 0, y = 0;
    QString xText, yText;
};
PointerPlace pointerPlace(QSize area, QPointF pos, int xRange, int yRange);

// "x = 5.02   y = 1.00"; an empty area gives an empty text.
QString pointerCoordinates(QSize area, QPointF pos, int xRange, int yRange);

// "0.8201": four significant digits; or why there is no value, "invalid argument".
QString functionValueText(eval::SingleSample value);

}  // namespace tracewell::app
