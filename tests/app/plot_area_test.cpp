// The plot area beyond a click, and the box's pasting and refusals: f(x) under the pointer,
// Copy point, the wheel, the keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include "app_test_support.h"

namespace tracewell::app {
namespace {

struct Shown : testing::Window {
    Shown() {
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    }
    QString tipAt(QPoint at) {
        QHelpEvent event(QEvent::ToolTip, at, pic()->mapToGlobal(at));
        QApplication::sendEvent(pic(), &event);
        return QToolTip::text();
    }
    void wheel(int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QPointF at = pic()->rect().center();
        QWheelEvent event(at, pic()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(pic(), &event);
    }
    // The entries of the menu that the key opens, after running chosen in it.
    QStringList menuFromKey(Qt::Key key, Qt::KeyboardModifiers modifiers, const char* chosen = "") {
        QStringList entries;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            for (QAction* a : menu->actions()) {
                entries << a->text();
                if (a->text() == chosen) a->trigger();
            }
            menu->close();
        });
        pic()->setFocus();
        QTest::keyClick(pic(), key, modifiers);
        return entries;
    }
};

TEST(PlotArea, TheTipReadsTheCurveOnceAPlotDrew) {
    Shown win;
    const QPoint at(win.pic()->width() * 3 / 4, 20);
    EXPECT_FALSE(win.tipAt(at).contains("f(x)"));  // nothing plotted yet
    win.t()->setText("x^2");
    win.w.Pic_Click();
    const QStringList parts = win.tipAt(at).split("   ");
    ASSERT_EQ(parts.size(), 3) << parts.join('|').toStdString();
    const double x = parts[0].mid(4).toDouble(), fx = parts[2].mid(7).toDouble();
    EXPECT_GT(x, 4);
    EXPECT_NEAR(fx, x * x, 0.05);
    win.t()->setText("log(-x*x-1)");
    win.w.Pic_Click();
    EXPECT_TRUE(win.tipAt(at).endsWith("   f(x) = invalid argument"))
        << win.tipAt(at).toStdString();
    win.t()->setText("sin (x)");  // refused: there is no curve to read
    win.w.Pic_Click();
    EXPECT_FALSE(win.tipAt(at).contains("f(x)"));
}

TEST(PlotArea, KeysPlotAndOpenTheMenuWhichCopiesThePoint) {
    Shown win;
    win.pic()->setFocus();
    QTest::keyClick(win.pic(), Qt::Key_Space);
    const int afterSpace = win.ink();
    EXPECT_GT(afterSpace, 500);
    win.t()->setText("x*0+1.25");
    win.pic()->setFocus();
    QTest::keyClick(win.pic(), Qt::Key_Return);
    EXPECT_NE(win.ink(), afterSpace);

    const QStringList entries = win.menuFromKey(Qt::Key_F10, Qt::ShiftModifier, "Copy point");
    EXPECT_EQ(entries.value(1), "Copy point");
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith("x = ") && copied.endsWith("   f(x) = 1.25"))
        << copied.toStdString();
    EXPECT_EQ(win.menuFromKey(Qt::Key_Menu, Qt::NoModifier).size(), 4);
}

TEST(PlotArea, TheWheelZoomsThroughTheBarsWithOnePlotANotch) {
    Shown win;
    QSignalSpy plots(&win.w, &Fgraph::plotted);
    win.wheel(120);  // up narrows both ranges by a step
    EXPECT_EQ(win.caption("Lv"), "Ox: 9");
    EXPECT_EQ(win.caption("Lg"), "Oy: 1");
    EXPECT_EQ(win.w.state().XRange, 9);
    EXPECT_EQ(plots.size(), 1);
    win.wheel(-120, Qt::ShiftModifier);  // Shift: only x
    EXPECT_EQ(win.bar("HScroll1")->currentValue(), 10);
    EXPECT_EQ(win.bar("VScroll1")->currentValue(), 1);
    win.wheel(-60, Qt::ControlModifier);  // Ctrl: only y; half notches add up
    EXPECT_EQ(plots.size(), 2);
    win.wheel(-60, Qt::ControlModifier);
    EXPECT_EQ(win.w.state().YRange, 2);
    EXPECT_EQ(win.w.state().XRange, 10);
    EXPECT_EQ(plots.size(), 3);
    win.wheel(-240);  // two notches, two plots
    EXPECT_EQ(win.caption("Lv"), "Ox: 12");
    EXPECT_EQ(plots.size(), 5);
    win.bar("HScroll1")->setCurrentValue(1);
    win.bar("VScroll1")->setCurrentValue(1);
    plots.clear();
    win.wheel(120);  // at both ends nothing moves, and nothing replots
    EXPECT_EQ(plots.size(), 0);
}

TEST(PlotArea, PastedLineEndsAreDroppedAndARefusalStaysInSight) {
    Shown win;
    QLineEdit* box = win.t();
    const auto tinted = [&] {
        return box->palette().color(QPalette::Base) != box->palette().color(QPalette::Button);
    };
    box->clear();
    box->setFocus();
    QGuiApplication::clipboard()->setText("x+1\r\n\t");
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), "x+1");
    box->setCursorPosition(1);
    QGuiApplication::clipboard()->setText("\n");
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), "x+1");
    box->setText("x\n+1");  // inside a text, a line break is named
    win.w.Pic_Click();
    EXPECT_EQ(box->toolTip(), "A line break (U+000A) at position 2 is not accepted");
    EXPECT_TRUE(tinted());
    QTest::keyClick(box, Qt::Key_End);
    EXPECT_TRUE(tinted());  // moving about is no edit
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_FALSE(tinted());
    EXPECT_TRUE(box->toolTip().isEmpty());
    box->setText("sqrt(x)");
    win.w.Pic_Click();
    EXPECT_EQ(box->selectedText(), "sqrt");  // the whole unknown name
    EXPECT_TRUE(tinted());
    box->setText("x/10+5");  // out of sight: until a plot draws
    win.w.Pic_Click();
    EXPECT_TRUE(tinted());
    win.bar("VScroll1")->setCurrentValue(10);
    EXPECT_FALSE(tinted());
}

}  // namespace
}  // namespace tracewell::app
