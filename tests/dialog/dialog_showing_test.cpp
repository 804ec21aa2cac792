// Showing the dialog: its modal loop, OK, the close command, the site button and failures.
#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <optional>
#include <stdexcept>

#include "dialog/dialog.h"
#include "platform/icons.h"
#include "support/modal_driver.h"

namespace tracewell::dialog {
namespace {

using tracewell::testing::closeAllWindows;

// Shows dialog modally and runs step with its live window; returns what showModal() returned.
bool showAndDrive(Dialog& dialog, const std::function<void(QWidget& window)>& step) {
    bool closed = false;
    tracewell::testing::driveModal([&] { closed = dialog.showModal(); }, step);
    return closed;
}

QPushButton* button(QWidget& window, const char* name) {
    return window.findChild<QPushButton*>(QString::fromLatin1(name));
}

// Catches what QDesktopServices is asked to open, in place of a browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

struct ReportedFailure {
    QPointer<QWidget> parent;
    QString message;
};

class DialogShowing : public ::testing::Test {
protected:
    Dialog dialog;
    QList<QUrl> opened;
    QList<ReportedFailure> failures;

    void SetUp() override {
        dialog.setUrlOpener([this](const QUrl& url) {
            opened << url;
            return true;
        });
        dialog.setFailureReporter([this](QWidget* parent, const QString& message) {
            failures.append({parent, message});
        });
    }
    void TearDown() override { closeAllWindows(); }
};

TEST_F(DialogShowing, OkEndsTheShowingAndDestroysTheWindow) {
    QPointer<QWidget> shown;
    const bool closed = showAndDrive(dialog, [&](QWidget& window) {
        shown = &window;
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(window.isModal());
        EXPECT_EQ(window.windowModality(), Qt::ApplicationModal);
        EXPECT_EQ(window.parentWidget(), nullptr);
        EXPECT_EQ(window.objectName(), "Dialog");
        EXPECT_EQ(window.windowIcon().pixmap(24, 24).toImage(),
                  platform::informationPicture().toImage());
        QTest::mouseClick(button(window, "OKButton"), Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(dialog.window(), nullptr);
    EXPECT_TRUE(shown.isNull());
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(DialogShowing, CloseCommandAndEscapeEndTheShowingLikeOk) {
    for (const bool byEscape : {false, true}) {
        SCOPED_TRACE(byEscape ? "Escape" : "close command");
        QPointer<QWidget> shown;
        const bool closed = showAndDrive(dialog, [&](QWidget& window) {
            shown = &window;
            if (byEscape)
                QTest::keyClick(&window, Qt::Key_Escape);
            else
                window.close();
            EXPECT_FALSE(window.isVisible());
        });
        EXPECT_TRUE(closed);
        EXPECT_EQ(dialog.window(), nullptr);
        EXPECT_TRUE(shown.isNull());
    }
}

TEST_F(DialogShowing, OkHasTheFocusAndTabSkipsTheProgramName) {
    showAndDrive(dialog, [&](QWidget& window) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QPushButton* ok = button(window, "OKButton");
        EXPECT_EQ(QApplication::focusWidget(), ok);
        QTest::keyClick(ok, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), button(window, "CancelButton"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), ok);
    });
}

TEST_F(DialogShowing, EnterAndSpacePressTheFocusedButtonWhichNeverBecomesTheDefault) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        opened.clear();
        const bool closed = showAndDrive(dialog, [&](QWidget& window) {
            ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
            QPushButton* site = button(window, "CancelButton");
            site->setFocus();
            QTest::keyClick(site, key);
            EXPECT_TRUE(window.isVisible());
            EXPECT_EQ(opened.size(), 1);
            EXPECT_FALSE(site->isDefault());
            EXPECT_FALSE(button(window, "OKButton")->isDefault());
            QTest::keyClick(button(window, "OKButton"), key);
            EXPECT_FALSE(window.isVisible());
        });
        EXPECT_TRUE(closed) << key;
    }
}

TEST_F(DialogShowing, EachShowingBuildsTheWindowAfresh) {
    QPointer<QWidget> first;
    showAndDrive(dialog, [&](QWidget& window) {
        first = &window;
        // Spoil the first window; the second must not see it.
        window.findChild<QLabel*>(QStringLiteral("Label1"))->setText(QStringLiteral("spoilt"));
        window.findChild<QLabel*>(QStringLiteral("Label4"))->hide();
    });
    EXPECT_TRUE(first.isNull());

    const bool closed = showAndDrive(dialog, [&](QWidget& window) {
        EXPECT_NE(window.findChild<QLabel*>(QStringLiteral("Label1"))->text(), "spoilt");
        EXPECT_TRUE(window.findChild<QLabel*>(QStringLiteral("Label4"))->isVisible());
        EXPECT_EQ(window.focusWidget(), button(window, "OKButton"));
        QTest::mouseClick(button(window, "OKButton"), Qt::LeftButton);
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(dialog.window(), nullptr);
}

TEST_F(DialogShowing, SiteButtonOpensTheSiteEveryTimeAndTheDialogStays) {
    showAndDrive(dialog, [&](QWidget& window) {
        for (int click = 1; click <= 3; ++click) {
            QTest::mouseClick(button(window, "CancelButton"), Qt::LeftButton);
            EXPECT_TRUE(window.isVisible()) << click;
            EXPECT_EQ(dialog.window(), &window);
        }
    });
    EXPECT_EQ(opened, QList<QUrl>(3, Dialog::siteAddress()));
    EXPECT_TRUE(failures.isEmpty());
}

TEST_F(DialogShowing, SiteGoesToTheDesktopsUrlHandlerByDefault) {
    dialog.setUrlOpener(nullptr);  // back to the default
    UrlCatcher catcher;
    showAndDrive(dialog, [&](QWidget& window) {
        QTest::mouseClick(button(window, "CancelButton"), Qt::LeftButton);
        QTest::mouseClick(button(window, "CancelButton"), Qt::LeftButton);
        EXPECT_TRUE(window.isVisible());
    });
    EXPECT_EQ(catcher.opened, QList<QUrl>(2, Dialog::siteAddress()));
    EXPECT_TRUE(failures.isEmpty());
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(DialogShowing, FailureToOpenTheSiteIsReportedOverTheOpenDialog) {
    int attempts = 0;
    dialog.setUrlOpener([&](const QUrl&) {
        if (++attempts == 1) return false;
        throw std::runtime_error("no browser");
    });
    showAndDrive(dialog, [&](QWidget& window) {
        QTest::mouseClick(button(window, "CancelButton"), Qt::LeftButton);  // returns false
        QTest::mouseClick(button(window, "CancelButton"), Qt::LeftButton);  // throws
        EXPECT_TRUE(window.isVisible());
        ASSERT_EQ(failures.size(), 2);
        for (const ReportedFailure& failure : failures) {
            EXPECT_EQ(failure.parent, &window);
            EXPECT_FALSE(failure.message.isEmpty());
        }
    });
    EXPECT_EQ(attempts, 2);
}

TEST_F(DialogShowing, DefaultReportIsAMessageBoxOverTheDialog) {
    dialog.setUrlOpener([](const QUrl&) { return false; });
    dialog.setFailureReporter(nullptr);  // back to the default
    QString message;
    QPointer<QWidget> messageParent;
    showAndDrive(dialog, [&](QWidget& window) {
        QObject context;
        QTimer::singleShot(0, &context, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(widget);
                if (!box || !box->isVisible()) continue;
                message = box->text();
                messageParent = box->parentWidget();
                box->close();
            }
        });
        QTest::mouseClick(button(window, "CancelButton"), Qt::LeftButton);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(messageParent, &window);
    });
    EXPECT_FALSE(message.isEmpty());
    EXPECT_EQ(dialog.window(), nullptr);
}

TEST_F(DialogShowing, SecondShowingWhileOpenIsRefused) {
    const bool closed = showAndDrive(dialog, [&](QWidget& window) {
        EXPECT_FALSE(dialog.showModal());  // returns at once: no nested loop, no second window
        EXPECT_EQ(dialog.window(), &window);
        int shownDialogs = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == "Dialog" && widget->isVisible()) ++shownDialogs;
        EXPECT_EQ(shownDialogs, 1);
    });
    EXPECT_TRUE(closed);
    EXPECT_TRUE(failures.isEmpty());
}

TEST(DialogLifetime, DestroyingTheObjectWhileShownEndsTheShowingSafely) {
    auto dialog = std::make_unique<Dialog>();
    Dialog* raw = dialog.get();
    QPointer<QWidget> shown;
    QObject context;
    QTimer::singleShot(0, &context, [&] {
        shown = raw->window();
        dialog.reset();
    });
    QTimer::singleShot(10000, &context, [] { closeAllWindows(); });
    EXPECT_TRUE(raw->showModal());
    EXPECT_TRUE(shown.isNull());
}

}  // namespace
}  // namespace tracewell::dialog

#include "dialog_showing_test.moc"
