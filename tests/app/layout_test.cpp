// The window's controls with their design properties, and what a resize does.
#include <gtest/gtest.h>

#include <QTest>

#include "app_test_support.h"
#include "platform/twips.h"
#include "plot/step_table.h"
#include "plot/window_layout.h"

namespace tracewell::app {
namespace {

// Resizes the client area so the outer size is W x H twips (at 96 dpi: 15 to the pixel).
void resizeOuter(Fgraph& w, int W, int H) { w.resize((W - 120) / 15, (H - 510) / 15); }

TEST(Layout, DesignPropertiesOfTheControls) {
    testing::Window win;
    win.w.show();
    EXPECT_EQ(win.caption("Lb"), "  y=");
    EXPECT_EQ(win.caption("Lv"), "Ox: 10");
    EXPECT_EQ(win.caption("Lg"), "Oy: 2");

    struct FontRow {
        const char* name;
        double points;
        bool bold;
    } fonts[] = {{"Lb", 12, true}, {"T", 12, true}, {"Lt", 9.75, true}};
    for (const FontRow& row : fonts) {
        const QFont f = win.find<QWidget>(row.name)->font();
        EXPECT_EQ(f.family(), "Arial") << row.name;
        EXPECT_DOUBLE_EQ(f.pointSizeF(), row.points) << row.name;
        EXPECT_EQ(f.bold(), row.bold) << row.name;
    }
    for (const char* name : {"Lg", "Lv", "Pic"})
        EXPECT_EQ(win.find<QWidget>(name)->font(), win.w.font()) << name;

    const QPalette p = win.t()->palette();
    EXPECT_EQ(p.color(QPalette::Base), p.color(QPalette::Button));
    EXPECT_EQ(p.color(QPalette::Text), QColor(Qt::black));
    win.w.Pic_Click();
    EXPECT_EQ(win.picture().pixelColor(2, 2), QColor(Qt::white));
    EXPECT_GT(win.ink(), 0);

    EXPECT_FALSE(win.find<QLabel>("Image1")->pixmap().isNull());
    EXPECT_FALSE(win.w.windowIcon().isNull());
}

TEST(Layout, TabOrderAndFocus) {
    testing::Window win;
    win.w.show();
    const char* expected[] = {"Pic", "T", "HScroll1", "VScroll1", "VS"};
    QWidget* at = win.pic();
    for (int i = 1; i < 5; ++i) {
        at = at->nextInFocusChain();
        while (at->focusPolicy() == Qt::NoFocus) at = at->nextInFocusChain();
        EXPECT_EQ(at->objectName(), expected[i]);
    }
    for (const char* name : {"Lb", "Lt", "Lg", "Lv", "Image1"})
        EXPECT_EQ(win.find<QWidget>(name)->focusPolicy(), Qt::NoFocus) << name;
}

TEST(Layout, DesignSizeAndTheStripAfterResizes) {
    testing::Window win;
    win.w.show();
    // First placement: the design's client area.
    EXPECT_EQ(win.w.size(), QSize(618, 391));
    const auto l = plot::layoutForOuterSize(9390, 6375);
    EXPECT_EQ(win.pic()->geometry(), platform::toPixels(l->Pic, &win.w));
    EXPECT_EQ(win.t()->geometry(), platform::toPixels(l->T, &win.w));
    EXPECT_EQ(win.find<QWidget>("Image1")->geometry(), platform::toPixels(l->Image1, &win.w));
    EXPECT_EQ(win.bar("VS")->currentValue(), 6);

    resizeOuter(win.w, 12000, 9000);
    const auto big = plot::layoutForOuterSize(12000, 9000);
    EXPECT_EQ(win.bar("VS")->geometry(), platform::toPixels(big->VS, &win.w));
    EXPECT_EQ(win.bar("HScroll1")->geometry(), platform::toPixels(big->HScroll1, &win.w));
    EXPECT_EQ(win.bar("VS")->currentValue(), 8);
    EXPECT_EQ(win.caption("Lt"), "8");
}

TEST(Layout, EveryResizeClearsAndResetsTheLevel) {
    testing::Window win;
    win.w.show();
    win.bar("VS")->setCurrentValue(14);
    win.w.Pic_Click();
    ASSERT_GT(win.ink(), 0);
    resizeOuter(win.w, 9390, 6390);
    EXPECT_EQ(win.ink(), 0);
    EXPECT_EQ(win.bar("VS")->currentValue(), 8);
    EXPECT_EQ(win.w.state().XStep, *plot::StepTable::stepFor(8));
    resizeOuter(win.w, 9390, 6375);
    EXPECT_EQ(win.bar("VS")->currentValue(), 6);
    EXPECT_EQ(win.w.state().XRange, 10);  // the ranges are not touched
}

TEST(Layout, MinimizeClearsRestoreLaysOutAgain) {
    testing::Window win;
    win.w.show();
    win.bar("VS")->setCurrentValue(14);
    win.w.Pic_Click();
    win.w.setWindowState(Qt::WindowMinimized);
    EXPECT_EQ(win.ink(), 0);
    EXPECT_EQ(win.bar("VS")->currentValue(), 14);
    win.w.Pic_Click();
    win.w.setWindowState(Qt::WindowNoState);
    EXPECT_EQ(win.ink(), 0);
    EXPECT_EQ(win.bar("VS")->currentValue(), 6);
}

TEST(Layout, TheSmallestWindowKeepsTheStripClearAndThePlotArea100PixelsHigh) {
    testing::Window win;
    win.w.show();
    win.w.resize(1, 1);
    const auto at = [&](const char* name) { return win.find<QWidget>(name)->geometry(); };
    EXPECT_GE(win.pic()->height(), 100);
    EXPECT_LT(at("T").right(), at("Lt").left());
    EXPECT_LT(at("HScroll1").right(), at("Image1").left());
    EXPECT_TRUE(at("Lb").intersects(at("T")));  // the design's own overlap stays
    // And no smaller: one pixel narrower, T would reach Lt.
    const double W = platform::toTwips(win.w.width() - 1, &win.w) + plot::kFrameWidth;
    const auto narrower = plot::layoutForOuterSize(float(W), 6375);
    EXPECT_GT(narrower->T.right(), narrower->Lt.left());
    win.w.Pic_Click();  // and plotting into it harms nothing
    EXPECT_GT(win.ink(), 0);
}

}  // namespace
}  // namespace tracewell::app
