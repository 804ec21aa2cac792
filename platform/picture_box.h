#pragma once
// A picture box: a framed area that shows a persistent drawing surface. What is drawn stays
// until it is cleared, also when the window is covered, uncovered or repainted; painting
// only copies the surface to the screen.

#include <QFrame>

#include "platform/image_surface.h"

namespace tracewell::platform {

class PictureBox : public QFrame {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    ImageSurface& surface() { return surface_; }
    const ImageSurface& surface() const { return surface_; }

signals:
    // A left-button press and release inside the box.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void fitSurface();

    ImageSurface surface_;
    bool pressed_ = false;
};

}  // namespace tracewell::platform
