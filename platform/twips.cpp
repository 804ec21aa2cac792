#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace tracewell::platform {

double twipsPerPixel(const QWidget* widget) {
    const QScreen* screen = widget ? widget->screen() : QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return kTwipsPerInch / (dpi > 0 ? dpi : 96.0);
}

int toPixels(double twips, const QWidget* widget) {
    return static_cast<int>(std::lround(twips / twipsPerPixel(widget)));
}

double toTwips(int pixels, const QWidget* widget) { return pixels * twipsPerPixel(widget); }

QRect toPixels(const QRectF& twips, const QWidget* widget) {
    const int left = toPixels(twips.left(), widget);
    const int top = toPixels(twips.top(), widget);
    const int right = toPixels(twips.left() + twips.width(), widget);
    const int bottom = toPixels(twips.top() + twips.height(), widget);
    return QRect(left, top, right - left, bottom - top);
}

}  // namespace tracewell::platform
