#pragma once
// The frame that shows which of the window's controls holds the keyboard focus: a line of
// the palette's highlight colour just inside the control's edge, where no content is drawn.

#include <QPainter>
#include <QPalette>
#include <QRect>

namespace tracewell::platform {

inline void drawFocusFrame(QPainter& painter, const QRect& edge, const QPalette& palette) {
    painter.save();
    painter.setPen(QPen(palette.color(QPalette::Active, QPalette::Highlight), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(edge.adjusted(0, 0, -1, -1));
    painter.restore();
}

}  // namespace tracewell::platform
