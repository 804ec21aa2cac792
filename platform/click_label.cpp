#include "platform/click_label.h"

#include <QMouseEvent>

namespace tracewell::platform {

ClickLabel::ClickLabel(QWidget* parent) : ClickLabel(QString(), parent) {}

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    // Labels and pictures never take the focus, so clicking one leaves it where it was.
    setFocusPolicy(Qt::NoFocus);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressed_ = true;
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is not a new click; QWidget would pass it on as a press.
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = event->button() == Qt::LeftButton && pressed_ &&
                       rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click) emit clicked();
}

void ClickLabel::hideEvent(QHideEvent* event) {
    // A press that the hiding interrupted must not complete a click when the label comes back.
    pressed_ = false;
    QLabel::hideEvent(event);
}

}  // namespace tracewell::platform
