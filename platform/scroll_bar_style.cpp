#include "platform/scroll_bar_style.h"

#include <QStyleOptionSlider>
#include <algorithm>

#include "platform/focus_frame.h"

namespace tracewell::platform {

ScrollBarStyle::ScrollBarStyle() : QProxyStyle(nullptr) {}

int ScrollBarStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                const QWidget* widget) const {
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (!bar || (metric != PM_ScrollBarExtent && metric != PM_ScrollBarSliderMin)) return base;
    // Each arrow and the thumb take at most a quarter of the bar's length, so at least a quarter
    // stays track. Longer bars keep the style's own sizes.
    const int length = bar->orientation == Qt::Vertical ? bar->rect.height() : bar->rect.width();
    return std::max(1, std::min(base, length / 4));
}

void ScrollBarStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ScrollBar && (option->state & State_HasFocus))
        drawFocusFrame(*painter, option->rect, option->palette);
}

}  // namespace tracewell::platform
