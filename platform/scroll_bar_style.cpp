#include "platform/scroll_bar_style.h"

#include <QStyleOptionSlider>
#include <algorithm>

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

}  // namespace tracewell::platform
