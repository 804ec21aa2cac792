// The scale and precision controls on the real window: bars, labels, captions and replots.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "app_test_support.h"
#include "plot/step_table.h"
#include "support/scroll_bar_parts.h"

namespace tracewell::app {
namespace {

using tracewell::testing::clickPart;
using Part = QStyle::SubControl;

float stepOf(int level) { return *plot::StepTable::stepFor(level); }

struct Shown : testing::Window {
    Shown() {
        w.show();
        // Whatever the first sizing chose, start from the design level.
        bar("VS")->setCurrentValue(6);
    }
    int level() { return bar("VS")->currentValue(); }
};

TEST(Controls, PrecisionArrowsAndKeysSetTheStepButNeverReplot) {
    Shown win;
    auto* vs = win.bar("VS");
    win.w.Pic_Click();
    const QImage before = win.picture();

    clickPart(vs, QStyle::SC_ScrollBarSubLine);  // the up arrow refines
    EXPECT_EQ(win.level(), 8);
    EXPECT_EQ(win.w.state().XStep, stepOf(8));
    EXPECT_EQ(win.caption("Lt"), "8");
    EXPECT_EQ(win.picture(), before);

    // A track step (here the page key) from 6 lands on an odd level, which keeps the step.
    vs->setCurrentValue(6);
    vs->setFocus();
    QTest::keyClick(vs, Qt::Key_PageDown);
    EXPECT_EQ(win.level(), 3);
    EXPECT_EQ(win.caption("Lt"), "3");
    EXPECT_EQ(win.w.state().XStep, stepOf(6));
    QTest::keyClick(vs, Qt::Key_PageDown);
    EXPECT_EQ(win.level(), 0);
    EXPECT_EQ(win.w.state().XStep, stepOf(0));

    clickPart(vs, QStyle::SC_ScrollBarSubLine, 9);  // stops at the finest level
    EXPECT_EQ(win.level(), 14);
    EXPECT_EQ(win.w.state().XStep, stepOf(14));
    EXPECT_EQ(win.caption("Lt"), "14");
    clickPart(vs, QStyle::SC_ScrollBarAddLine, 9);
    EXPECT_EQ(win.level(), 0);
    EXPECT_EQ(win.picture(), before);
}

TEST(Controls, RangeBarsStoreShowAndReplotUpToTheirEnds) {
    Shown win;
    auto* h = win.bar("HScroll1");
    auto* v = win.bar("VScroll1");
    win.w.Pic_Click();
    QImage last = win.picture();

    clickPart(h, QStyle::SC_ScrollBarAddLine);  // right arrow widens x
    EXPECT_EQ(win.w.state().XRange, 11);
    EXPECT_EQ(win.caption("Lv"), "Ox: 11");
    EXPECT_NE(win.picture(), last);
    last = win.picture();

    clickPart(v, QStyle::SC_ScrollBarSubLine);  // the up arrow enlarges y
    EXPECT_EQ(win.w.state().YRange, 3);
    EXPECT_EQ(win.caption("Lg"), "Oy: 3");
    EXPECT_NE(win.picture(), last);

    clickPart(h, QStyle::SC_ScrollBarAddLine, 45);
    EXPECT_EQ(win.caption("Lv"), "Ox: 50");
    clickPart(h, QStyle::SC_ScrollBarSubLine, 60);
    EXPECT_EQ(win.caption("Lv"), "Ox: 1");
    EXPECT_EQ(win.w.state().XRange, 1);
    clickPart(v, QStyle::SC_ScrollBarSubLine, 30);
    EXPECT_EQ(win.caption("Lg"), "Oy: 25");
    clickPart(v, QStyle::SC_ScrollBarAddLine, 30);
    EXPECT_EQ(win.caption("Lg"), "Oy: 1");
    EXPECT_EQ(win.w.state().YRange, 1);
}

TEST(Controls, LabelClicksResetTheirRangeWithoutMovingTheBar) {
    Shown win;
    auto* h = win.bar("HScroll1");
    h->setCurrentValue(30);
    EXPECT_EQ(win.w.state().XRange, 30);
    QTest::mouseClick(win.label("Lv"), Qt::LeftButton);
    EXPECT_EQ(win.w.state().XRange, 10);
    EXPECT_EQ(win.caption("Lv"), "Ox: 10");
    EXPECT_EQ(h->currentValue(), 30);
    clickPart(h, QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(win.w.state().XRange, 31);

    // Lg at 2 already: the caption is written again and the plot redrawn.
    win.t()->setText("x/0");
    win.w.Pic_Click();
    win.t()->setText("sin(x)");
    const int axesOnly = win.ink();
    QTest::mouseClick(win.label("Lg"), Qt::LeftButton);
    EXPECT_EQ(win.caption("Lg"), "Oy: 2");
    EXPECT_GT(win.ink(), axesOnly);
}

TEST(Controls, PrecisionLabelResetsToSixAndRunsTheHandlerOnceOrTwice) {
    Shown win;
    auto* vs = win.bar("VS");
    QSignalSpy changes(vs, &platform::ScrollBar::changed);
    QTest::mouseClick(win.label("Lt"), Qt::LeftButton);  // already at 6: no change event
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(win.caption("Lt"), "6");

    vs->setCurrentValue(12);
    changes.clear();
    const QImage before = win.picture();
    QTest::mouseClick(win.label("Lt"), Qt::LeftButton);  // the nested event, then the call
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(win.level(), 6);
    EXPECT_EQ(win.w.state().XStep, stepOf(6));
    EXPECT_EQ(win.caption("Lt"), "6");
    EXPECT_EQ(win.picture(), before);
}

TEST(Controls, ARangeChangeWithARejectedTextRedrawsTheAxesOnly) {
    Shown win;
    win.t()->setText("sin (x)");
    clickPart(win.bar("HScroll1"), QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(win.w.state().XRange, 11);
    const int inked = win.ink();
    win.t()->setText("x/0");
    win.w.Pic_Click();
    EXPECT_EQ(inked, win.ink());  // the same axes, no curve
}

}  // namespace
}  // namespace tracewell::app
