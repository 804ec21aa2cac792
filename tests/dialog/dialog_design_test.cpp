// The window as built from the design: sizes, places, fonts, flags, colours and tab order.
#include "dialog/dialog_design.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QDialog>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QStringList>

namespace tracewell::dialog {
namespace {

class DialogDesign : public ::testing::Test {
protected:
    DialogWindow built = buildDialogWindow(QPixmap());
    QDialog& window = *built.window;

    QWidget* control(const char* name) const {
        return window.findChild<QWidget*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    }

    // Pixel rectangles written out at 15 twips to the pixel, not computed from the twips.
    void expectPlaces(std::initializer_list<std::pair<const char*, QRect>> expected) const {
        for (const auto& [name, pixels] : expected) {
            SCOPED_TRACE(name);
            QWidget* widget = control(name);
            ASSERT_NE(widget, nullptr);
            EXPECT_EQ(widget->geometry(), pixels);
        }
    }
};

TEST_F(DialogDesign, WindowIsAFixedDialogWithoutMinimizeOrMaximize) {
    EXPECT_EQ(window.objectName(), "Dialog");
    EXPECT_EQ(window.windowTitle(), QStringView(u"\u0421\u043F\u0440\u0430\u0432\u043A\u0430"));
    EXPECT_EQ(window.parentWidget(), nullptr);
    EXPECT_EQ(window.windowModality(), Qt::ApplicationModal);

    // 5175 x 4410 twips of client area at 15 twips to the pixel.
    EXPECT_EQ(window.size(), QSize(345, 294));
    EXPECT_EQ(window.minimumSize(), QSize(345, 294));
    EXPECT_EQ(window.maximumSize(), QSize(345, 294));

    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowContextHelpButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_EQ(window.windowType(), Qt::Dialog);
}

TEST_F(DialogDesign, WindowIsCentredOnTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint offset = window.geometry().center() - screen.center();
    EXPECT_LE(std::abs(offset.x()), 1);
    EXPECT_LE(std::abs(offset.y()), 1);
}

TEST_F(DialogDesign, IconIsTheGivenPicture) {
    EXPECT_TRUE(window.windowIcon().isNull());  // none given: the platform's default

    QPixmap picture(24, 24);
    picture.fill(Qt::blue);
    DialogWindow withIcon = buildDialogWindow(picture);
    const QImage shown = withIcon.window->windowIcon().pixmap(24, 24).toImage();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.pixelColor(12, 12), QColor(Qt::blue));
}

TEST_F(DialogDesign, ControlsStandAtTheirDesignPlacesInPixels) {
    expectPlaces({
        {"Text1", QRect(16, 16, 153, 21)},
        {"Label3", QRect(16, 48, 169, 145)},
        {"Label1", QRect(192, 56, 129, 145)},
        {"Label2", QRect(16, 200, 137, 33)},
        {"Label4", QRect(176, 200, 153, 33)},
        {"CancelButton", QRect(24, 248, 129, 33)},
        {"OKButton", QRect(176, 248, 153, 33)},
    });
}

TEST_F(DialogDesign, EightLinesFrameTheControlsAndSplitTheButtons) {
    expectPlaces({
        {"Line7", QRect(8, 8, 329, 1)},
        {"Line6", QRect(8, 8, 1, 241)},
        {"Line3", QRect(8, 224, 1, 65)},
        {"Line2", QRect(8, 288, 329, 1)},
        {"Line8", QRect(336, 8, 1, 281)},
        {"Line4", QRect(336, 224, 1, 49)},
        {"Line1", QRect(8, 240, 329, 1)},
        {"Line5", QRect(168, 240, 1, 49)},
    });
}

TEST_F(DialogDesign, FontsResolveAtTheirDesignSizes) {
    const QStringList kSansSerifs{"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans"};
    const struct {
        const char* name;
        const char* family;
        double points;
        QStringList resolvesTo;  // the designed font or a stand-in of the same widths
    } expected[] = {
        {"Text1", "Arial", 14.25, {"Arial", "Liberation Sans"}},
        {"Label3", "MS Sans Serif", 8.25, kSansSerifs},
        {"Label1", "Courier New", 9, {"Courier New", "Liberation Mono"}},
        {"Label2", "Arial", 9.75, {"Arial", "Liberation Sans"}},
        {"Label4", "Arial", 9, {"Arial", "Liberation Sans"}},
        {"CancelButton", "MS Sans Serif", 8.25, kSansSerifs},
        {"OKButton", "MS Sans Serif", 8.25, kSansSerifs},
    };
    for (const auto& [name, family, points, resolvesTo] : expected) {
        SCOPED_TRACE(name);
        QWidget* widget = control(name);
        ASSERT_NE(widget, nullptr);
        const QFont font = widget->font();
        EXPECT_EQ(font.family(), QString::fromLatin1(family));
        EXPECT_DOUBLE_EQ(font.pointSizeF(), points);
        EXPECT_EQ(font.weight(), QFont::Normal);
        EXPECT_FALSE(font.italic());
        EXPECT_TRUE(resolvesTo.contains(QFontInfo(font).family()))
            << QFontInfo(font).family().toStdString();
    }
}

TEST_F(DialogDesign, ProgramNameIsReadOnlyBlackOnButtonFaceAndNoTabStop) {
    auto* name = qobject_cast<QLineEdit*>(control("Text1"));
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(name->isReadOnly());
    EXPECT_FALSE(name->focusPolicy() & Qt::TabFocus);

    const QColor buttonFace = QGuiApplication::palette().color(QPalette::Button);
    EXPECT_EQ(name->palette().color(QPalette::Base), buttonFace);
    EXPECT_EQ(name->palette().color(QPalette::Text), QColor(Qt::black));
    // What is drawn agrees: the face colour inside the box, away from the text at its left.
    const QImage drawn = name->grab().toImage();
    EXPECT_EQ(drawn.pixelColor(drawn.width() - 6, drawn.height() / 2), buttonFace);
}

TEST_F(DialogDesign, TabOrderFollowsTheDesignAndStartsAtOk) {
    const QStringList designed{"OKButton", "CancelButton", "Label1", "Text1",
                               "Label2",   "Label3",       "Label4"};
    QStringList chain;
    QWidget* widget = control("OKButton");
    ASSERT_NE(widget, nullptr);
    do {
        if (designed.contains(widget->objectName())) chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != control("OKButton") && chain.size() <= designed.size());
    EXPECT_EQ(chain, designed);

    EXPECT_EQ(window.focusWidget(), control("OKButton"));
    for (const char* label : {"Label1", "Label2", "Label3", "Label4"})
        EXPECT_EQ(control(label)->focusPolicy(), Qt::NoFocus) << label;
}

TEST_F(DialogDesign, EveryControlHasAnAccessibleName) {
    for (const char* name :
         {"Text1", "Label1", "Label2", "Label3", "Label4", "OKButton", "CancelButton"}) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control(name));
        ASSERT_TRUE(face) << name;
        EXPECT_FALSE(face->text(QAccessible::Name).trimmed().isEmpty()) << name;
    }
}

}  // namespace
}  // namespace tracewell::dialog
