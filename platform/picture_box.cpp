#include "platform/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/focus_frame.h"

namespace tracewell::platform {

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
    // A sunken two-pixel border sets the plot area off from the window in every style; a
    // styled panel would let the style draw one pixel.
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_.setFont(font());
    fitSurface();
}

void PictureBox::fitSurface() { surface_.resize(contentsRect().size(), devicePixelRatioF()); }

void PictureBox::paintEvent(QPaintEvent* event) {
    // The window may have moved to a screen of another pixel density: Qt 6.4 sends no public
    // event for that, but repaints the whole window after it.
    fitSurface();
    QFrame::paintEvent(event);  // the frame
    QPainter p(this);
    p.drawImage(QRectF(contentsRect()), surface_.image());
    // On the frame's inner line, so the picture itself stays as drawn.
    if (hasFocus()) drawFocusFrame(p, rect().adjusted(1, 1, -1, -1), palette());
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    fitSurface();
}

void PictureBox::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange) surface_.setFont(font());
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
    pressed_ = false;
    if (click) emit clicked();
}

}  // namespace tracewell::platform
