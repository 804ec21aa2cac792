#pragma once
// A label that reports clicks, for captions and pictures that act when clicked.

#include <QLabel>

namespace tracewell::platform {

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);
    explicit ClickLabel(const QString& text, QWidget* parent = nullptr);

signals:
    // On release of the left button inside the label after a press inside it. A double click
    // gives one click, not two: a hurried double click resets and replots once.
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool pressed_ = false;
};

}  // namespace tracewell::platform
