// Thousands of random user actions on the main window: after every one the window keeps its
// invariants, and at the end it still answers and plots.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <cstdio>

#include "sanitized.h"
#include "stress_run.h"
#include "support/ink.h"

namespace tracewell::stress {
namespace {

using tracewell::testing::inkedPixels;

void typeOver(QLineEdit* t, const QString& text) {
    QTest::keyClick(t, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(t, text);
}

TEST(WindowStress, RandomActionsKeepTheWindowWithinItsInvariants) {
    const std::uint32_t seed = stressSeed();
    const int count = kSanitized ? 1000 : 3000;
    app::Fgraph window;
    window.show();
    WindowModel model(window);
    ModalCloser closer;
    RandomActions actions(model, closer, seed, maxPlotCost());

    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(runActions(model, closer, actions, count, seed));
    const RunCounts& n = model.counts();
    std::printf(
        "%d actions with seed %u in %.1f s: %d plots (%d at the finest step, %d of them over a "
        "million samples), %d resizes, %d helps\n",
        count, seed, clock.elapsed() / 1000.0, n.plots, n.finestPlots, n.millionPlots, n.resizes,
        n.helps);

    // Still alive: the default text plots a curve beyond the bare axes.
    const Controls& c = model.controls();
    window.setWindowState(Qt::WindowNoState);
    window.resize(618, 391);
    typeOver(c.t, "sin (x)");  // the blank stops the plot after the axes
    QTest::mouseClick(c.pic, Qt::LeftButton);
    const int axes = inkedPixels(c.pic->surface().image());
    typeOver(c.t, "sin(x)");
    QTest::mouseClick(c.pic, Qt::LeftButton);
    EXPECT_GT(axes, 0);
    EXPECT_GT(inkedPixels(c.pic->surface().image()), axes);
}

}  // namespace
}  // namespace tracewell::stress
