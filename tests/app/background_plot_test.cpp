// A plot that takes long goes on in the background: Escape stops it, a new request replaces
// it and the requests made meanwhile run once, and closing the window ends it. The engine is
// slowed through the window's seam.
#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <atomic>
#include <cmath>
#include <memory>
#include <thread>

#include "app_test_support.h"
#include "plot/label_numbers.h"

namespace tracewell::app {
namespace {

// A window at x range 50 and the finest level, with a slowed engine: each of a plot's 77
// pieces takes 100 ms, so that a plot goes on for seconds.
struct SlowWindow : testing::Window {
    std::shared_ptr<std::atomic<int>> started = std::make_shared<std::atomic<int>>(0);
    SlowWindow() {
        w.show();
        bar("HScroll1")->setCurrentValue(50);
        bar("VS")->setCurrentValue(14);
        w.setPieceHook([started = started](std::size_t) {
            ++*started;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        });
    }
    bool inkedAt(float x, float y) {
        const QPoint d = pic()->surface().toDevice({x, y});
        return picture().pixelColor(d) == testing::kInk;
    }
    QAction* saveSamples() {
        for (QAction* a : w.findChildren<QAction*>())
            if (a->text() == "Save samples as...") return a;
        return nullptr;
    }
};

TEST(BackgroundPlot, EscapeStopsItAndWhatIsDrawnStays) {
    SlowWindow win;
    win.w.Pic_Click();
    ASSERT_TRUE(win.w.plotting());
    EXPECT_EQ(win.pic()->cursor().shape(), Qt::BusyCursor);
    EXPECT_TRUE(win.t()->toolTip().startsWith("Plotting: ")) << win.t()->toolTip().toStdString();
    EXPECT_FALSE(win.saveSamples()->isEnabled());

    // Drawn as it comes: the progress moves on.
    ASSERT_TRUE(QTest::qWaitFor([&] { return win.t()->toolTip() != "Plotting: 0 %"; }, 60'000));
    win.w.activateWindow();  // shortcuts need an active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(&win.w));
    QTest::keyClick(win.t(), Qt::Key_Escape);
    EXPECT_FALSE(win.w.plotting());
    const float stoppedAt = win.w.state().CurX;
    EXPECT_EQ(win.t()->toolTip(),
              QString::fromStdString("Stopped at x = " + plot::plainXText(stoppedAt)));
    EXPECT_NE(win.pic()->cursor().shape(), Qt::BusyCursor);
    EXPECT_FALSE(win.saveSamples()->isEnabled());
    // The axes and the curve up to where it stopped stay; nothing is drawn after.
    ASSERT_GT(stoppedAt, -49.0f);
    ASSERT_LT(stoppedAt, 49.0f);
    const float after = stoppedAt + 1;
    EXPECT_TRUE(win.inkedAt(0.5f, 0));
    EXPECT_TRUE(win.inkedAt(-49.5f, std::sin(-49.5f)));
    EXPECT_FALSE(win.inkedAt(after, std::sin(after)));
    QTest::qWait(300);  // the pieces the workers were making when it stopped
    EXPECT_FALSE(win.inkedAt(after, std::sin(after)));
}

TEST(BackgroundPlot, TheNewestRequestReplacesItAndRunsOnce) {
    SlowWindow win;
    win.w.Pic_Click();
    ASSERT_TRUE(win.w.plotting());
    for (const char* text : {"cos(x)", "x^2", "x/3"}) {
        win.t()->setText(text);
        win.w.Pic_Click();  // each waits for the one before, which has not started yet
    }
    win.w.setPieceHook({});  // the new plot at full speed
    ASSERT_TRUE(QTest::qWaitFor([&] { return !win.w.plotting(); }, 60'000));
    EXPECT_EQ(win.w.state().ExprText, "x/3");
    EXPECT_TRUE(win.t()->toolTip().isEmpty()) << win.t()->toolTip().toStdString();
    EXPECT_TRUE(win.saveSamples()->isEnabled());

    testing::Window fresh;  // the picture of x/3 alone, as a first plot draws it
    fresh.w.show();
    fresh.bar("HScroll1")->setCurrentValue(50);
    fresh.bar("VS")->setCurrentValue(14);
    fresh.t()->setText("x/3");
    fresh.w.Pic_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fresh.w.plotting(); }, 60'000));
    EXPECT_EQ(win.picture(), fresh.picture());

    // Only the first and the last text were plotted.
    QStringList plotted;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(win.t(), Qt::Key_Up);
        plotted << win.t()->text();
    }
    EXPECT_EQ(plotted, QStringList({"x/3", "sin(x)", "sin(x)"}));
}

TEST(BackgroundPlot, ClosingTheWindowEndsItWithinAPiece) {
    auto win = std::make_unique<SlowWindow>();
    const auto started = win->started;
    win->w.Pic_Click();
    ASSERT_TRUE(win->w.plotting());
    win->w.close();
    win.reset();
    EXPECT_LT(started->load(), 20);  // of 77
}

}  // namespace
}  // namespace tracewell::app
