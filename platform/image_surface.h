#pragma once
// A persistent drawing surface: an image that keeps what is drawn on it until it is cleared,
// with a user coordinate system given by two corners. The same surface serves the window's
// plot area and the headless renderer, so both draw the same pixels.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QStaticText>
#include <QString>
#include <memory>
#include <span>
#include <unordered_map>

namespace tracewell::platform {

class ImageSurface {
public:
    // size in logical pixels; the image holds size * devicePixelRatio device pixels, and is
    // shown scaled back by that ratio so it stays crisp on high-density screens. The ratio is
    // lowered where the image would pass kMaxDevicePixels.
    explicit ImageSurface(QSize size = {}, qreal devicePixelRatio = 1.0);

    // Far above any screen's (an 8K screen has 33 million); tracewell-plot's largest
    // picture, 10000 x 10000, just fits.
    static constexpr double kMaxDevicePixels = 100'000'000;
    ~ImageSurface();
    ImageSurface(const ImageSurface&) = delete;
    ImageSurface& operator=(const ImageSurface&) = delete;

    // Keeps the drawing where old and new sizes overlap; new parts are background.
    void resize(QSize size, qreal devicePixelRatio);
    QSize size() const { return size_; }
    const QImage& image() const {
        finishPainting();
        return image_;
    }

    void setFont(const QFont& font) {
        font_ = font;
        texts_.clear();
    }
    void setBackground(QColor c) { background_ = c; }
    void setForeground(QColor c) { foreground_ = c; }

    // Fills the surface with the background colour.
    void clear();
    // The user coordinates of the upper-left and lower-right corners of the surface.
    void setScale(double left, double top, double right, double bottom);

    void line(QPointF from, QPointF to);
    // Sets one pixel and makes the point the current position.
    void point(QPointF p);
    // Writes text with its upper-left corner at the current position.
    void print(const QString& text);

    // The device pixel that holds a user point (may lie outside the image).
    QPoint toDevice(QPointF p) const;

    // Where user points land. Coordinates are single precision, like the plot's x and y:
    // device x = x * scaleX + offsetX and device y = y * scaleY + offsetY, each a single
    // multiplication and a single addition in single precision, whoever computes them (the
    // curve is drawn in bulk from this); the pixel (x, y) is at index y * stride + x.
    struct PixelMapping {
        float scaleX, offsetX, scaleY, offsetY;
        int width, height, stride;
    };
    PixelMapping pixelMapping() const;
    // Sets the pixels at these indexes (negative ones are skipped) in the drawing colour.
    void setPixels(std::span<const int> indexes);

    // Everything that decides what a drawing from a cleared surface looks like.
    struct Look {
        QSize size;
        qreal devicePixelRatio;
        QColor background, foreground;
        QFont font;
        double left, top, right, bottom;
        bool operator==(const Look&) const = default;
    };
    Look look() const;
    // The picture and the current position after a drawing, to be put back instead of
    // drawing it again.
    struct Snapshot {
        Look look;
        QImage image;
        QPointF current;
    };
    Snapshot snapshot() const;
    // Puts back a snapshot taken with the same look, which holds what drawing again would;
    // with another look, or none, changes nothing and returns false.
    bool restore(const Snapshot& snapshot);

private:
    void updateMapping();
    // Lines, points and text share one painter, begun when first needed and ended before
    // the pixels are touched directly: beginning a painter costs more than a line of text.
    QPainter& painter();
    void finishPainting() const;

    QImage image_;
    mutable std::unique_ptr<QPainter> painter_;
    // Laid-out texts: a plot prints the same few tick labels again and again.
    std::unordered_map<QString, QStaticText> texts_;
    QSize size_;
    qreal dpr_ = 1.0;
    QFont font_;
    QColor background_ = Qt::white;
    QColor foreground_ = Qt::black;
    double left_ = 0, top_ = 0, right_ = 1, bottom_ = 1;
    // device = user * scale + offset, per axis
    float scaleX_ = 1, offsetX_ = 0, scaleY_ = 1, offsetY_ = 0;
    QPointF current_;
};

}  // namespace tracewell::platform
