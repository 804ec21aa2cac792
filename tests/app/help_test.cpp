// The picture in the corner opens the help: modal, afresh each time, a beep after closing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "app_test_support.h"
#include "dialog/dialog.h"
#include "support/modal_driver.h"

namespace tracewell::app {
namespace {

// Clicks Image1 and runs step inside the help's modal loop.
void openHelpAndRun(testing::Window& win, const std::function<void(QWidget& help)>& step) {
    tracewell::testing::driveModal([&] { QTest::mouseClick(win.label("Image1"), Qt::LeftButton); },
                                   step);
}

TEST(Help, OpensModallyAndBeepsOnlyAfterClosing) {
    testing::Window win;
    win.w.show();
    int beeps = 0;
    win.w.setBeep([&] { ++beeps; });
    QWidget* firstWindow = nullptr;
    openHelpAndRun(win, [&](QWidget& help) {
        EXPECT_EQ(help.objectName(), "Dialog");
        EXPECT_EQ(help.windowTitle(), QString::fromUtf8("Справка"));
        EXPECT_EQ(beeps, 0);
        firstWindow = &help;
        QTest::mouseClick(help.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    });
    EXPECT_EQ(beeps, 1);
    ASSERT_TRUE(win.w.helpDialog());
    EXPECT_EQ(win.w.helpDialog()->window(), nullptr);  // closing destroyed the window

    const dialog::Dialog* dialogObject = win.w.helpDialog();
    openHelpAndRun(win, [&](QWidget& help) {
        EXPECT_EQ(help.objectName(), "Dialog");  // built afresh from the design
    });
    EXPECT_EQ(win.w.helpDialog(), dialogObject);  // one dialog object for the program's life
    EXPECT_EQ(beeps, 2);
}

TEST(Help, MainWindowTakesNoInputMeanwhile) {
    testing::Window win;
    win.w.show();
    win.w.setBeep([] {});
    // Clicks as the window system delivers them, so that modality applies.
    auto click = [&](QWidget* target) {
        QWindow* window = win.w.windowHandle();
        QTest::mouseClick(window, Qt::LeftButton, {},
                          target->mapTo(&win.w, target->rect().center()));
    };
    openHelpAndRun(win, [&](QWidget&) {
        EXPECT_TRUE(QApplication::activeModalWidget());
        click(win.pic());
        click(win.label("Lv"));
        click(win.label("Image1"));  // no second dialog
        EXPECT_EQ(win.ink(), 0);
        int dialogs = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            dialogs += top->isVisible() && top->objectName() == "Dialog";
        EXPECT_EQ(dialogs, 1);
    });
    click(win.pic());  // and afterwards it does
    EXPECT_GT(win.ink(), 0);
}

}  // namespace
}  // namespace tracewell::app
