#include "platform/image_surface.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

namespace tracewell::platform {

ImageSurface::ImageSurface(QSize size, qreal devicePixelRatio) {
    resize(size, devicePixelRatio);
}

void ImageSurface::resize(QSize size, qreal devicePixelRatio) {
    size = size.expandedTo(QSize(0, 0));
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    if (size == size_ && dpr == dpr_ && !image_.isNull()) return;
    QImage next(size * dpr, QImage::Format_RGB32);
    next.fill(background_);
    if (!image_.isNull() && !next.isNull()) {  // a null image has nothing to paint on
        QPainter p(&next);
        p.drawImage(QPoint(0, 0), image_);
    }
    image_ = std::move(next);
    size_ = size;
    dpr_ = dpr;
    updateMapping();
}

void ImageSurface::clear() { image_.fill(background_); }

void ImageSurface::setScale(double left, double top, double right, double bottom) {
    left_ = left;
    top_ = top;
    right_ = right;
    bottom_ = bottom;
    updateMapping();
}

void ImageSurface::updateMapping() {
    const double w = image_.width(), h = image_.height();
    scaleX_ = right_ != left_ ? w / (right_ - left_) : 0;
    offsetX_ = -left_ * scaleX_;
    scaleY_ = bottom_ != top_ ? h / (bottom_ - top_) : 0;
    offsetY_ = -top_ * scaleY_;
}

QPoint ImageSurface::toDevice(QPointF p) const {
    // Clamped far outside the image so that no conversion overflows.
    auto pixel = [](double v) {
        return static_cast<int>(std::floor(std::clamp(v, -1e9, 1e9)));
    };
    return {pixel(p.x() * scaleX_ + offsetX_), pixel(p.y() * scaleY_ + offsetY_)};
}

void ImageSurface::line(QPointF from, QPointF to) {
    if (image_.isNull()) return;
    QPainter p(&image_);  // device pixels
    p.setPen(QPen(foreground_, std::max(1, static_cast<int>(std::lround(dpr_)))));
    const QPoint a = toDevice(from), b = toDevice(to);
    p.drawLine(a, b);
}

void ImageSurface::point(QPointF at) {
    current_ = at;
    const QPoint d = toDevice(at);
    const int block = std::max(1, static_cast<int>(std::lround(dpr_)));
    const QRect r = QRect(d, QSize(block, block)).intersected(image_.rect());
    const QRgb c = foreground_.rgb();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) row[x] = c;
    }
}

void ImageSurface::print(const QString& text) {
    if (image_.isNull()) return;
    QPainter p(&image_);
    p.scale(dpr_, dpr_);  // text in logical pixels, rendered at the full resolution
    p.setFont(font_);
    p.setPen(foreground_);
    const QPoint d = toDevice(current_);
    const QPointF topLeft(d.x() / dpr_, d.y() / dpr_);
    p.drawText(topLeft + QPointF(0, p.fontMetrics().ascent()), text);
}

ImageSurface::PixelMapping ImageSurface::pixelMapping() const {
    return {scaleX_,        offsetX_,        scaleY_,
            offsetY_,       image_.width(), image_.height(),
            static_cast<int>(image_.bytesPerLine() / sizeof(QRgb))};
}

void ImageSurface::setPixels(std::span<const int> indexes) {
    if (image_.isNull()) return;
    const PixelMapping m = pixelMapping();
    const int block = std::max(1, static_cast<int>(std::lround(dpr_)));
    const QRgb c = foreground_.rgb();
    QRgb* pixels = reinterpret_cast<QRgb*>(image_.bits());
    int previous = -1;
    for (const int at : indexes) {
        // Dense samples hit the same pixel many times in a row.
        if (at < 0 || at == previous) continue;
        previous = at;
        if (block == 1) {
            pixels[at] = c;
            continue;
        }
        const int x = at % m.stride, y = at / m.stride;
        for (int dy = 0; dy < block && y + dy < m.height; ++dy)
            for (int dx = 0; dx < block && x + dx < m.width; ++dx)
                pixels[(y + dy) * m.stride + x + dx] = c;
    }
}

void ImageSurface::points(std::span<const float> xs, std::span<const float> ys) {
    const PixelMapping m = pixelMapping();
    std::vector<int> at(std::min(xs.size(), ys.size()));
    for (size_t i = 0; i < at.size(); ++i) {
        // The same mapping as toDevice(); the comparisons also reject NaN.
        const double fx = xs[i] * m.scaleX + m.offsetX;
        const double fy = ys[i] * m.scaleY + m.offsetY;
        const bool inside = fx >= 0 && fx < m.width && fy >= 0 && fy < m.height;
        at[i] = inside ? static_cast<int>(fy) * m.stride + static_cast<int>(fx) : -1;
    }
    setPixels(at);
}

}  // namespace tracewell::platform
