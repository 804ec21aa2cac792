#pragma once
// Twips: the design unit of positions and sizes, 1440 to the inch. Converted through the
// screen's logical resolution, so 15 twips make a pixel at 96 dpi.

#include <QRect>
#include <QRectF>

class QWidget;

namespace tracewell::platform {

constexpr double kTwipsPerInch = 1440.0;

// Twips per pixel on the screen that shows widget (or the primary screen).
double twipsPerPixel(const QWidget* widget = nullptr);

// Whole pixels for a rectangle in twips: edges rounded to the nearest pixel.
QRect toPixels(const QRectF& twips, const QWidget* widget = nullptr);
int toPixels(double twips, const QWidget* widget = nullptr);
double toTwips(int pixels, const QWidget* widget = nullptr);

}  // namespace tracewell::platform
