#include "app/pointer_coordinates.h"

#include <algorithm>
#include <cmath>

namespace tracewell::app {
namespace {

// Decimals that tell neighbouring pixels apart: one pixel spans `unit` plot units.
int decimalsFor(double unit) { return std::clamp(int(std::ceil(-std::log10(unit))), 0, 9); }

}  // namespace

PointerPlace pointerPlace(QSize area, QPointF pos, int xRange, int yRange) {
    if (area.isEmpty()) return {};
    const double unitX = 2.0 * xRange / area.width(), unitY = 2.0 * yRange / area.height();
    // The middle of the pixel under the pointer.
    const double x = -xRange + (std::floor(pos.x()) + 0.5) * unitX;
    const double y = yRange - (std::floor(pos.y()) + 0.5) * unitY;
    // Rounded first, so that no "-0.00" names a side of the axis the pointer is not on.
    const auto text = [](double v, int decimals) {
        const double scale = std::pow(10.0, decimals);
        return QString::number(std::round(v * scale) / scale + 0.0, 'f', decimals);
    };
    return {x, y, text(x, decimalsFor(unitX)), text(y, decimalsFor(unitY))};
}

QString pointerCoordinates(QSize area, QPointF pos, int xRange, int yRange) {
    if (area.isEmpty()) return {};
    const PointerPlace place = pointerPlace(area, pos, xRange, yRange);
    return QStringLiteral("x = %1   y = %2").arg(place.xText, place.yText);
}

QString functionValueText(eval::SingleSample value) {
    if (value.failure != eval::Failure::None)
        return QString::fromUtf8(eval::failureName(value.failure));
    // Whole numbers up to ten million in full rather than with an exponent.
    const float a = std::fabs(value.value);
    if (a >= 1e4f && a < 1e7f) return QString::number(value.value, 'f', 0);
    return QString::number(value.value, 'g', 4);
}

}  // namespace tracewell::app
