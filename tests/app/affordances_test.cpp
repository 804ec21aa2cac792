// What the window offers beyond its design: the plot area's menu, copy and save, coordinates,
// F1, names and tool tips, history, focus frames, and where a problem is.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <csignal>

#include "app/pointer_coordinates.h"
#include "app_test_support.h"

namespace tracewell::app {
namespace {

QAction* action(testing::Window& win, const char* text) {
    for (QAction* a : win.w.findChildren<QAction*>())
        if (a->text() == text) return a;
    return nullptr;
}

TEST(Affordances, CoordinatesHaveThePrecisionOfOnePixel) {
    EXPECT_EQ(pointerCoordinates({600, 300}, {450, 75}, 10, 2), "x = 5.02   y = 0.99");
    // -0.0005 rounds to zero, shown without a sign.
    EXPECT_EQ(pointerCoordinates({2000, 100}, {999, 50}, 1, 1), "x = 0.000   y = -0.01");
    EXPECT_EQ(pointerCoordinates({0, 100}, {0, 0}, 1, 1), "");

    testing::Window win;  // and they follow the pointer, with or without a curve
    win.w.show();
    const auto tipAtCentre = [&] {
        // The pointer rests, the tip shows; the pointer moves on, the tip follows.
        const QPoint rest(10, 10);
        QHelpEvent event(QEvent::ToolTip, rest, win.pic()->mapToGlobal(rest));
        QApplication::sendEvent(win.pic(), &event);
        const QString resting = QToolTip::text();
        EXPECT_TRUE(resting.startsWith("x = ")) << resting.toStdString();
        const QPointF centre = win.pic()->contentsRect().center();
        QMouseEvent move(QEvent::MouseMove, centre, win.pic()->mapToGlobal(centre), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(win.pic(), &move);
        EXPECT_NE(QToolTip::text(), resting);
        return QToolTip::text();
    };
    const QString atCentre = tipAtCentre();
    win.bar("HScroll1")->setCurrentValue(50);  // the current ranges' units
    EXPECT_NE(tipAtCentre(), atCentre);
}

TEST(Affordances, RightClickMenuCopiesAndSavesAndLeavesThePictureAlone) {
    testing::Window win;
    win.w.show();
    QStringList entries;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        for (QAction* a : menu->actions()) entries << a->text() + (a->isEnabled() ? "" : " (off)");
        menu->close();
    });
    // Through the window system, which turns a right click into a context menu request.
    QTest::mouseClick(win.w.windowHandle(), Qt::RightButton, {},
                      win.pic()->mapTo(&win.w, win.pic()->rect().center()));
    EXPECT_EQ(entries, QStringList({"Copy picture", "Copy point (off)", "Save picture as...",
                                    "Save samples as... (off)"}));
    EXPECT_EQ(win.ink(), 0);  // no plot from the right click

    win.t()->setText("sin(x)");
    win.w.Pic_Click();
    win.w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&win.w));
    win.pic()->setFocus();
    QTest::keyClick(win.pic(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->image(), win.picture());

    QTemporaryDir dir;
    QStringList warnings;
    QString path;
    win.w.setFileNameAsker([&](const QString&, const QString&) { return path; });
    win.w.setWarner([&](const QString& message) { warnings << message; });
    path = dir.filePath("plot.png");
    action(win, "Save picture as...")->trigger();
    EXPECT_EQ(QImage(path).size(), win.picture().size());
    path = dir.filePath("samples.csv");
    ASSERT_TRUE(action(win, "Save samples as...")->isEnabled());
    action(win, "Save samples as...")->trigger();
    QFile csv(path);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    EXPECT_EQ(lines.size(), 4002);  // header, 4000 samples at level 6, the last line's end
    EXPECT_EQ(lines[1], "-10,0.5440211");
    EXPECT_TRUE(warnings.isEmpty());
    path = dir.filePath("typed");  // a name without an extension gets the format's
    action(win, "Save picture as...")->trigger();
    action(win, "Save samples as...")->trigger();

    // A failed write says so and leaves no file, partial or temporary.
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.d"));
    for (const QString& bad : {dir.filePath("missing/plot.png"), dir.filePath("folder.d")}) {
        path = bad;
        action(win, "Save picture as...")->trigger();
        action(win, "Save samples as...")->trigger();
    }
    EXPECT_EQ(warnings.size(), 4);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              QStringList({"plot.png", "samples.csv", "typed.csv", "typed.png"}));
}

TEST(Affordances, SavesGoIntoAPipeInPlaceAndAFailureNamesItsReason) {
    testing::Window win;
    win.w.show();  // sized: the precision, and so the step, is chosen
    win.t()->setText("sin(x)");
    win.w.Pic_Click();
    QTemporaryDir dir;
    QString path = dir.filePath("pipe");
    QStringList warnings;
    win.w.setFileNameAsker([&](const QString&, const QString&) { return path; });
    win.w.setWarner([&](const QString& message) { warnings << message; });
    ASSERT_EQ(mkfifo(QFile::encodeName(path), 0600), 0);
    // A reader is there, and the pipe has room for the picture and the table.
    const int reader = ::open(QFile::encodeName(path), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    fcntl(reader, F_SETPIPE_SZ, 1 << 20);
    action(win, "Save picture as...")->trigger();
    action(win, "Save samples as...")->trigger();
    QByteArray got;
    char piece[4096];
    for (ssize_t n; (n = ::read(reader, piece, sizeof piece)) > 0;) got.append(piece, n);
    ::close(reader);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
    EXPECT_TRUE(got.startsWith("\x89PNG")) << got.left(8).toHex().toStdString();
    EXPECT_TRUE(got.contains("x,y\n-10,0.5440211\n"));
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(path), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the pipe was replaced";

    // Past a file-size limit, the write's own reason, also for a picture that the image
    // writer would write in many pieces.
    path = dir.filePath("plot.bmp");
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit small{1024, old.rlim_max};
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    action(win, "Save picture as...")->trigger();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].endsWith(": File too large")) << warnings[0].toStdString();
    EXPECT_FALSE(QFile::exists(path));
}

TEST(Affordances, F1OpensTheHelpAndItBeepsOnClosing) {
    testing::Window win;
    win.w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&win.w));
    int beeps = 0;
    win.w.setBeep([&] { ++beeps; });
    bool shown = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* help = QApplication::activeModalWidget()) {
            shown = help->objectName() == "Dialog";
            help->close();
        }
    });
    QTest::keyClick(win.t(), Qt::Key_F1);
    EXPECT_TRUE(shown);
    EXPECT_EQ(beeps, 1);
}

TEST(Affordances, ControlsHaveNamesAndTipsThatTeach) {
    testing::Window win;
    const std::pair<const char*, const char*> names[] = {{"Pic", "Plot area"},
                                                         {"T", "Expression y = f(x)"},
                                                         {"VS", "Precision bar"},
                                                         {"Lt", "Precision level"},
                                                         {"VScroll1", "Half-height bar"},
                                                         {"Lg", "Half-height of the y interval"},
                                                         {"HScroll1", "Half-width bar"},
                                                         {"Lv", "Half-width of the x interval"},
                                                         {"Image1", "Help"}};
    for (const auto& [control, name] : names) {
        QAccessibleInterface* face =
            QAccessible::queryAccessibleInterface(win.find<QWidget>(control));
        ASSERT_TRUE(face) << control;
        EXPECT_EQ(face->text(QAccessible::Name), name);
    }
    EXPECT_EQ(win.label("Lv")->toolTip(), "Half-width of the x interval. Click to reset to 10");
    EXPECT_EQ(win.label("Lt")->toolTip(),
              "Sampling precision, 0 (coarse) to 14 (fine). Click to reset to 6");
    EXPECT_EQ(win.label("Image1")->toolTip(), "Help (F1)");
    EXPECT_TRUE(win.t()->toolTip().isEmpty());  // kept for the message of a refused text
}

TEST(Affordances, UpAndDownWalkThroughThePlottedTexts) {
    testing::Window win;
    win.w.show();
    for (const char* text : {"x", "x^2", "x^2", "sin (x)"}) {
        win.t()->setText(text);
        win.w.Pic_Click();
    }
    win.t()->setText("draft");
    QStringList seen;
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_Down,
                        Qt::Key_Down, Qt::Key_Down}) {
        QTest::keyClick(win.t(), key);
        seen << win.t()->text();
    }
    EXPECT_EQ(seen, QStringList({"sin (x)", "x^2", "x", "x", "x^2", "sin (x)", "draft", "draft"}));
}

TEST(Affordances, TheBoxSelectsWhereTheProblemIs) {
    testing::Window win;
    win.w.show();
    win.t()->setText(QString::fromUtf8("sin(\xd1\x85)"));
    win.w.Pic_Click();
    EXPECT_EQ(win.t()->selectionStart(), 4);
    EXPECT_EQ(win.t()->selectedText(), QString::fromUtf8("\xd1\x85"));
    win.t()->setText("sin(x");
    win.w.Pic_Click();
    EXPECT_FALSE(win.t()->hasSelectedText());
    EXPECT_EQ(win.t()->cursorPosition(), 5);
}

TEST(Affordances, FocusShowsOnThePlotAreaAndTheBars) {
    testing::Window win;
    win.w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&win.w));
    for (QWidget* control :
         {static_cast<QWidget*>(win.pic()), static_cast<QWidget*>(win.bar("VS"))}) {
        win.t()->setFocus();
        const QImage without = control->grab().toImage();
        control->setFocus();
        ASSERT_TRUE(control->hasFocus());
        EXPECT_NE(control->grab().toImage(), without) << control->objectName().toStdString();
    }
}

}  // namespace
}  // namespace tracewell::app
