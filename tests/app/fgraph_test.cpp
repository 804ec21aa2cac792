// The main window: start-up state, the plot on a click or Enter, and problems shown on T.
#include "app/fgraph.h"

#include <gtest/gtest.h>

#include <QTest>

#include "app_test_support.h"
#include "plot/step_table.h"

namespace tracewell::app {
namespace {

using testing::inkedPixels;
using testing::Window;

TEST(Fgraph, StateAfterLoad) {
    Window win;
    const plot::PlotState& s = win.w.state();
    EXPECT_EQ(s.CharTable(33), "!");
    EXPECT_EQ(s.CharTable(65), "A");
    EXPECT_EQ(s.CharTable(126), "~");
    EXPECT_EQ(s.CharTable(32), "");
    EXPECT_EQ(s.CharTable(127), "");
    EXPECT_EQ(s.Idx, 127);
    EXPECT_EQ(s.XRange, 10);
    EXPECT_EQ(s.YRange, 2);
    EXPECT_EQ(s.XStep, 0.0f);
    EXPECT_EQ(s.CurX, 0.0f);
    EXPECT_TRUE(s.ExprText.isEmpty());
    EXPECT_EQ(s.XStart, 0);
    EXPECT_EQ(s.ExprLen, 0);
    EXPECT_EQ(win.w.windowTitle(), "Tracewell v3.1");
    EXPECT_EQ(win.w.objectName(), "Fgraph");
    ASSERT_TRUE(win.pic());
    ASSERT_TRUE(win.t());
    EXPECT_EQ(win.t()->text(), "sin(x)");
    // Until the first sizing the labels show their design captions.
    EXPECT_EQ(win.caption("Lv"), "Ox: 10");
    EXPECT_EQ(win.caption("Lg"), "Oy: 2");
    EXPECT_EQ(win.caption("Lt"), ".");
}

TEST(Fgraph, ShowingChoosesAStepAndDrawsNothing) {
    Window win;
    win.w.show();
    const float step = win.w.state().XStep;
    EXPECT_TRUE(step == *plot::StepTable::stepFor(6) || step == *plot::StepTable::stepFor(8));
    EXPECT_EQ(win.caption("Lt"), step == *plot::StepTable::stepFor(6) ? "6" : "8");
    EXPECT_EQ(win.ink(), 0);
}

TEST(Fgraph, ClickAndEnterPlot) {
    Window win;
    win.w.show();
    QTest::mouseClick(win.pic(), Qt::LeftButton);
    const int afterClick = win.ink();
    EXPECT_GT(afterClick, 500);
    EXPECT_EQ(win.w.state().ExprText, "sin(x)");

    win.t()->setText("x/0");  // axes only
    QTest::keyClick(win.t(), Qt::Key_Return);
    EXPECT_LT(win.ink(), afterClick);
    EXPECT_GT(win.ink(), 0);
}

TEST(Fgraph, ProblemsShowOnTheBoxUntilTheNextPlot) {
    Window win;
    win.w.show();
    win.t()->setText("sin (x)");
    win.w.Pic_Click();
    EXPECT_TRUE(win.t()->toolTip().contains("position 4")) << win.t()->toolTip().toStdString();
    win.t()->setText("ep(x)");
    win.w.Pic_Click();
    EXPECT_EQ(win.t()->toolTip(), "Unknown function 'ep': position 1");
    win.t()->setText("log(-1)");
    win.w.Pic_Click();
    EXPECT_EQ(win.t()->toolTip(), "No value in this range: invalid argument (x = -10)");
    win.t()->setText("log(x)");
    win.w.Pic_Click();
    EXPECT_TRUE(win.t()->toolTip().isEmpty());
    EXPECT_EQ(win.w.state().Idx, 0);  // undefined samples raised the error event
}

TEST(Fgraph, TheBoxKeepsEveryCharacterOfALongText) {
    Window win;
    win.w.show();
    QString text = "x";
    while (text.size() < 40'001) text += "+x";
    win.t()->setText(text);
    EXPECT_EQ(win.t()->text().size(), 40'001);
    win.w.Pic_Click();
    EXPECT_EQ(win.t()->toolTip(), "Expression too long: 40001 characters, the limit is 32767");
    EXPECT_EQ(win.t()->text(), text);
}

TEST(Fgraph, PictureSurvivesRepaints) {
    Window win;
    win.w.show();
    win.w.Pic_Click();
    const int before = win.ink();
    win.w.hide();
    win.w.show();
    win.pic()->repaint();
    EXPECT_EQ(win.ink(), before);
    const QImage shown = win.pic()->grab().toImage();
    EXPECT_GT(inkedPixels(shown), before / 2);
}

}  // namespace
}  // namespace tracewell::app
