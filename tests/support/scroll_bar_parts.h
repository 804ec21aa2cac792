#pragma once
// Where a user clicks on a scroll bar: its arrows, track and thumb, as the style draws them.

#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

namespace tracewell::testing {

inline QRect scrollBarPart(const QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider o;
    o.initFrom(bar);
    o.subControls = QStyle::SC_All;
    o.activeSubControls = QStyle::SC_None;
    o.orientation = bar->orientation();
    o.minimum = bar->minimum();
    o.maximum = bar->maximum();
    o.sliderPosition = bar->sliderPosition();
    o.sliderValue = bar->value();
    o.singleStep = bar->singleStep();
    o.pageStep = bar->pageStep();
    o.upsideDown = bar->invertedAppearance();
    if (bar->orientation() == Qt::Horizontal) o.state |= QStyle::State_Horizontal;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &o, part, bar);
}

inline void clickPart(QScrollBar* bar, QStyle::SubControl part, int times = 1) {
    for (int i = 0; i < times; ++i)
        QTest::mouseClick(bar, Qt::LeftButton, {}, scrollBarPart(bar, part).center());
}

}  // namespace tracewell::testing
