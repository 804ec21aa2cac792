#include "dialog/design_line.h"

#include <QPainter>
#include <algorithm>

#include "platform/twips.h"

namespace tracewell::dialog {

namespace {

QPoint toPixels(const QPointF& twips, const QWidget* widget) {
    return QPoint(platform::toPixels(twips.x(), widget), platform::toPixels(twips.y(), widget));
}

}  // namespace

DesignLine::DesignLine(const QLineF& twips, QWidget* parent) : QWidget(parent), twips_(twips) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    // The widget covers both end points, so a line one pixel wide gets a one-pixel widget.
    const QPoint a = toPixels(twips.p1(), this);
    const QPoint b = toPixels(twips.p2(), this);
    setGeometry(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                      QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))));
}

void DesignLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    const QPoint origin = geometry().topLeft();
    painter.drawLine(toPixels(twips_.p1(), this) - origin, toPixels(twips_.p2(), this) - origin);
}

}  // namespace tracewell::dialog
