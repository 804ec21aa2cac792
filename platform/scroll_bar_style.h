#pragma once
// The look of the program's scroll bars: arrows and thumb that leave a track between them even
// on the short bars of the design (33 pixels at 96 dpi), so a click in the track can reach the
// track step, as on the classic bar; and a focus frame, which the base style may not draw.

#include <QProxyStyle>

namespace tracewell::platform {

class ScrollBarStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Uses the application's style for everything else.
    ScrollBarStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
};

}  // namespace tracewell::platform
