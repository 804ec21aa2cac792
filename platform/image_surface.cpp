#include "platform/image_surface.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace tracewell::platform {

ImageSurface::ImageSurface(QSize size, qreal devicePixelRatio) { resize(size, devicePixelRatio); }

ImageSurface::~ImageSurface() { finishPainting(); }

QPainter& ImageSurface::painter() {
    if (!painter_) painter_ = std::make_unique<QPainter>(&image_);
    return *painter_;
}

void ImageSurface::finishPainting() const { painter_.reset(); }

void ImageSurface::resize(QSize size, qreal devicePixelRatio) {
    finishPainting();
    size = size.expandedTo(QSize(0, 0));
    qreal dpr = devicePixelRatio > 0 && std::isfinite(devicePixelRatio) ? devicePixelRatio : 1.0;
    // However high the ratio, the picture keeps to a bounded size, shown scaled up beyond it.
    const double area = static_cast<double>(size.width()) * size.height();
    if (area * dpr * dpr > kMaxDevicePixels) dpr = std::sqrt(kMaxDevicePixels / area);
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

void ImageSurface::clear() {
    finishPainting();
    image_.fill(background_);
}

void ImageSurface::setScale(double left, double top, double right, double bottom) {
    left_ = left;
    top_ = top;
    right_ = right;
    bottom_ = bottom;
    updateMapping();
}

void ImageSurface::updateMapping() {
    const double w = image_.width(), h = image_.height();
    scaleX_ = static_cast<float>(right_ != left_ ? w / (right_ - left_) : 0);
    offsetX_ = static_cast<float>(-left_) * scaleX_;
    scaleY_ = static_cast<float>(bottom_ != top_ ? h / (bottom_ - top_) : 0);
    offsetY_ = static_cast<float>(-top_) * scaleY_;
}

QPoint ImageSurface::toDevice(QPointF p) const {
    // Clamped far outside the image so that no conversion overflows.
    auto pixel = [](float v) { return static_cast<int>(std::floor(std::clamp(v, -1e9f, 1e9f))); };
    return {pixel(static_cast<float>(p.x()) * scaleX_ + offsetX_),
            pixel(static_cast<float>(p.y()) * scaleY_ + offsetY_)};
}

void ImageSurface::line(QPointF from, QPointF to) {
    if (image_.isNull()) return;
    QPainter& p = painter();
    p.resetTransform();  // device pixels
    p.setPen(QPen(foreground_, std::max(1, static_cast<int>(std::lround(dpr_)))));
    p.drawLine(toDevice(from), toDevice(to));
}

void ImageSurface::point(QPointF at) {
    current_ = at;
    if (image_.isNull()) return;
    const int block = std::max(1, static_cast<int>(std::lround(dpr_)));
    QPainter& p = painter();
    p.resetTransform();  // device pixels
    p.fillRect(QRect(toDevice(at), QSize(block, block)), foreground_);
}

void ImageSurface::print(const QString& text) {
    if (image_.isNull()) return;
    QPainter& p = painter();
    p.setTransform(QTransform::fromScale(dpr_, dpr_));  // logical pixels, full resolution
    p.setFont(font_);
    p.setPen(foreground_);
    auto laidOut = texts_.find(text);
    if (laidOut == texts_.end()) {
        if (texts_.size() > 1000) texts_.clear();
        laidOut = texts_.emplace(text, QStaticText(text)).first;
        laidOut->second.setPerformanceHint(QStaticText::AggressiveCaching);
    }
    const QPoint d = toDevice(current_);
    p.drawStaticText(QPointF(d.x() / dpr_, d.y() / dpr_), laidOut->second);  // upper-left corner
}

ImageSurface::PixelMapping ImageSurface::pixelMapping() const {
    return {scaleX_,
            offsetX_,
            scaleY_,
            offsetY_,
            image_.width(),
            image_.height(),
            static_cast<int>(image_.bytesPerLine() / sizeof(QRgb))};
}

void ImageSurface::setPixels(std::span<const int> indexes) {
    finishPainting();
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

ImageSurface::Look ImageSurface::look() const {
    return {size_, dpr_, background_, foreground_, font_, left_, top_, right_, bottom_};
}

ImageSurface::Snapshot ImageSurface::snapshot() const {
    finishPainting();
    return {look(), image_.copy(), current_};
}

bool ImageSurface::restore(const Snapshot& snapshot) {
    if (snapshot.image.isNull() || !(snapshot.look == look())) return false;
    finishPainting();
    // Copied into the pixels the surface has, rather than sharing the snapshot's: the next
    // drawing would copy them anyway, into newly allocated memory.
    if (image_.size() == snapshot.image.size() && image_.format() == snapshot.image.format() &&
        image_.bytesPerLine() == snapshot.image.bytesPerLine())
        std::memcpy(image_.bits(), snapshot.image.constBits(),
                    static_cast<std::size_t>(image_.sizeInBytes()));
    else
        image_ = snapshot.image;
    current_ = snapshot.current;
    return true;
}

}  // namespace tracewell::platform
