#include "platform/icons.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace tracewell::platform {

namespace {

constexpr int kInformationSize = 24;

QImage transparentCanvas(int pixels) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// --- information sign, drawn on a 24-unit grid ---

void drawInformationSign(QPainter& painter) {
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(1.5, 1.5, 21, 16), 5, 5);
    QPainterPath tail;
    tail.moveTo(6, 16);
    tail.lineTo(4.5, 22.5);
    tail.lineTo(12, 16);
    tail.closeSubpath();
    // The dark rim keeps the white bubble visible on a white or light background.
    painter.setPen(QPen(QColor(40, 48, 64), 1));
    painter.setBrush(Qt::white);
    painter.drawPath(bubble.united(tail));

    const QColor blue(0, 72, 210);
    painter.setPen(Qt::NoPen);
    painter.setBrush(blue);
    painter.drawEllipse(QPointF(12, 5.25), 1.9, 1.9);
    QPainterPath letter;
    letter.setFillRule(Qt::WindingFill);         // the parts overlap; no holes where they do
    letter.addRect(QRectF(10.25, 8, 3.5, 6.5));  // stem
    letter.addRect(QRectF(8.75, 8, 1.75, 1.5));  // serif at the top left
    letter.addRect(QRectF(8.75, 13.5, 6.5, 2));  // foot
    painter.drawPath(letter);
}

// --- application icon, drawn on a 48-unit grid at any pixel size ---

// What changes with the pixel size so that small icons stay legible.
struct IconDetail {
    int gridColumns;
    int gridRows;
    double linePixels;  // width of the grid lines and outlines in device pixels
    bool outlines;      // edges on the solids; they only smear at 16 pixels
};

IconDetail detailFor(int pixels) {
    if (pixels <= 16) return {4, 3, 1.0, false};
    if (pixels <= 32) return {6, 4, 1.0, true};
    return {8, 5, pixels / 40.0, true};
}

// A floor that narrows towards the back, with rows spaced as a perspective spaces them.
void drawGrid(QPainter& painter, const IconDetail& detail, double unitsPerPixel) {
    constexpr double backY = 24, frontY = 47, backLeft = 10, backRight = 38;
    constexpr double frontLeft = 0.5, frontRight = 47.5;
    // Where the sides meet: the horizon, above the icon.
    const double horizonY = backY - (frontY - backY) * (backRight - backLeft) /
                                        ((frontRight - frontLeft) - (backRight - backLeft));
    const double farthest = (frontY - horizonY) / (backY - horizonY);

    const QPolygonF floor(
        {{backLeft, backY}, {backRight, backY}, {frontRight, frontY}, {frontLeft, frontY}});
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(205, 222, 255, 150));
    painter.drawPolygon(floor);

    painter.setPen(QPen(QColor(20, 80, 230), detail.linePixels * unitsPerPixel));
    painter.setBrush(Qt::NoBrush);
    for (int column = 0; column <= detail.gridColumns; ++column) {
        const double f = double(column) / detail.gridColumns;
        painter.drawLine(QPointF(backLeft + f * (backRight - backLeft), backY),
                         QPointF(frontLeft + f * (frontRight - frontLeft), frontY));
    }
    for (int row = 0; row <= detail.gridRows; ++row) {
        const double depth = 1 + (farthest - 1) * row / detail.gridRows;
        // Rows sit on pixel centres so that thin ones stay crisp instead of smeared over two.
        const double exactY = horizonY + (frontY - horizonY) / depth;
        const double y = (std::floor(exactY / unitsPerPixel) + 0.5) * unitsPerPixel;
        const double f = (y - backY) / (frontY - backY);
        painter.drawLine(QPointF(backLeft + f * (frontLeft - backLeft), y),
                         QPointF(backRight + f * (frontRight - backRight), y));
    }
}

QPen outlinePen(const IconDetail& detail, double unitsPerPixel, QColor colour) {
    if (!detail.outlines) return Qt::NoPen;
    return QPen(colour, detail.linePixels * unitsPerPixel, Qt::SolidLine, Qt::RoundCap,
                Qt::RoundJoin);
}

void drawCube(QPainter& painter, const IconDetail& detail, double unitsPerPixel) {
    painter.setPen(outlinePen(detail, unitsPerPixel, QColor(140, 100, 0)));
    painter.setBrush(QColor(255, 242, 120));
    painter.drawPolygon(QPolygonF({{16, 17}, {21, 12}, {35, 12}, {30, 17}}));  // top
    painter.setBrush(QColor(205, 150, 0));
    painter.drawPolygon(QPolygonF({{30, 17}, {35, 12}, {35, 26}, {30, 31}}));  // side
    painter.setBrush(QColor(250, 208, 0));
    painter.drawRect(QRectF(16, 17, 14, 14));  // front
}

void drawCone(QPainter& painter, const IconDetail& detail, double unitsPerPixel) {
    const QPointF apex(37, 9);
    const QRectF base(28, 36, 18, 6);
    QPainterPath cone;
    cone.moveTo(apex);
    cone.lineTo(base.left(), base.center().y());
    cone.arcTo(base, 180, 180);  // the near half of the base
    cone.closeSubpath();
    QLinearGradient shade(base.left(), 0, base.right(), 0);
    shade.setColorAt(0, QColor(110, 160, 255));
    shade.setColorAt(0.45, QColor(20, 70, 235));
    shade.setColorAt(1, QColor(0, 25, 120));
    painter.setPen(outlinePen(detail, unitsPerPixel, QColor(0, 20, 90)));
    painter.setBrush(shade);
    painter.drawPath(cone);
}

void drawSphere(QPainter& painter, const IconDetail& detail, double unitsPerPixel) {
    const QPointF centre(13, 34);
    const double radius = 10.5;
    QRadialGradient shade(centre, radius, centre + QPointF(-3.5, -4));
    shade.setColorAt(0, QColor(255, 200, 200));
    shade.setColorAt(0.35, QColor(235, 25, 25));
    shade.setColorAt(1, QColor(110, 0, 0));
    painter.setPen(outlinePen(detail, unitsPerPixel, QColor(90, 0, 0)));
    painter.setBrush(shade);
    painter.drawEllipse(centre, radius, radius);
}

QImage drawApplicationIcon(int pixels) {
    QImage image = transparentCanvas(pixels);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    constexpr double kUnits = 48;
    painter.scale(pixels / kUnits, pixels / kUnits);
    const double unitsPerPixel = kUnits / pixels;
    const IconDetail detail = detailFor(pixels);
    drawGrid(painter, detail, unitsPerPixel);
    drawCube(painter, detail, unitsPerPixel);  // farthest back
    drawCone(painter, detail, unitsPerPixel);
    drawSphere(painter, detail, unitsPerPixel);
    return image;
}

}  // namespace

QPixmap informationPicture(qreal devicePixelRatio) {
    // Anything odd (zero, negative, NaN, absurdly large) falls back to a sane ratio.
    const qreal ratio = devicePixelRatio >= 1 ? std::min<qreal>(devicePixelRatio, 8) : 1;
    QImage image = transparentCanvas(static_cast<int>(std::ceil(kInformationSize * ratio)));
    image.setDevicePixelRatio(ratio);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        drawInformationSign(painter);
    }
    return QPixmap::fromImage(image);
}

QIcon applicationIcon() {
    QIcon icon;
    for (const int pixels : {16, 32, 48, 64, 96})
        icon.addPixmap(QPixmap::fromImage(drawApplicationIcon(pixels)));
    return icon;
}

QImage applicationIconImage(int pixels) { return drawApplicationIcon(std::clamp(pixels, 1, 1024)); }

}  // namespace tracewell::platform
