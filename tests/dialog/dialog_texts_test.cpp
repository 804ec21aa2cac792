// The texts on the window, code for code: blanks, line breaks and Cyrillic letters included.
#include <gtest/gtest.h>

#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include "dialog/dialog.h"
#include "dialog/dialog_design.h"

namespace tracewell::dialog {
namespace {

QString text(QStringView code) { return code.toString(); }
QString blanks(int count) { return QString(count, u' '); }

class DialogTexts : public ::testing::Test {
protected:
    DialogWindow built = buildDialogWindow(QPixmap());

    QString labelText(const char* name) const {
        auto* label = built.window->findChild<QLabel*>(QString::fromLatin1(name));
        return label ? label->text() : QStringLiteral("<missing>");
    }
};

TEST_F(DialogTexts, ProgramNameHasOneLeadingBlank) {
    auto* name = built.window->findChild<QLineEdit*>(QStringLiteral("Text1"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), text(u" Tracewell v3.1"));
}

TEST_F(DialogTexts, ButtonCaptions) {
    EXPECT_EQ(built.siteButton->text(), text(u"\u041D\u0430 \u0441\u0430\u0439\u0442"));
    EXPECT_EQ(built.okButton->text(), text(u"OK"));
}

TEST_F(DialogTexts, InstructionsEndWithFiveBlanks) {
    const QString expected =
        text(
            u"Программа для построения графиков математических функций. Функция вводится в "
            u"текстовое поле, где по умолчанию отображается sin(x). Фукция вводится в "
            u"соответствии с синтаксисом языка програмирования VB6 (образец справа). С "
            u"пожеланиями и предложениями обращайтесь:") +
        blanks(5);
    EXPECT_EQ(labelText("Label3"), expected);
}

TEST_F(DialogTexts, FunctionListKeepsItsBlankRunsCyrillicLetterAndLineBreak) {
    const QString expected =
        text(u"Основные функции: sin(x),") + QChar(0x0441) + text(u"os(x),") + blanks(2) +
        text(u"tan(x)-tgx,") + blanks(4) + text(u"atn(x)-arctgx,") + blanks(1) +
        text(u"log(x)-lnx,") + blanks(4) + text(u"exp(x)-e^x,") + blanks(2) + text(u"abs(x)-|x|,") +
        blanks(1) + text(u"sqr(x)-корень") + blanks(2) + text(u"+,-,*,/,^.\r\n");
    const QString shown = labelText("Label1");
    EXPECT_EQ(shown, expected);
    // The trap a retyping falls into: a Latin c in front of "os(x)".
    EXPECT_FALSE(shown.contains(QStringLiteral("cos(x)")));
    EXPECT_TRUE(shown.endsWith(QStringLiteral("\r\n")));
}

TEST_F(DialogTexts, ContactsGiveAnAddressAndTheSitesHost) {
    const QString contacts = labelText("Label2");
    const QRegularExpression form(QStringLiteral("^E-mail:([^\\s@]+@[^\\s@]+)\r\nUrl:(\\S+)$"));
    const QRegularExpressionMatch match = form.match(contacts);
    ASSERT_TRUE(match.hasMatch()) << contacts.toStdString();
    EXPECT_EQ(match.captured(2), Dialog::siteAddress().host());
}

TEST_F(DialogTexts, CreditsAreARussianLineWithTheCopyrightSign) {
    const QString credits = labelText("Label4");
    const qsizetype sign = credits.indexOf(QChar(0x00A9));
    ASSERT_GT(sign, 0);
    EXPECT_FALSE(credits.mid(sign + 1).trimmed().isEmpty());  // an alias follows the sign
    EXPECT_TRUE(credits.contains(QRegularExpression(QStringLiteral("[\u0410-\u044F]{3,}"))));
}

TEST(SiteAddress, IsASchemeAndAHostWithoutPath) {
    const QUrl site = Dialog::siteAddress();
    EXPECT_TRUE(site.isValid());
    EXPECT_EQ(site.scheme(), "https");
    EXPECT_FALSE(site.host().isEmpty());
    EXPECT_TRUE(site.path().isEmpty() || site.path() == "/");
    EXPECT_TRUE(site.query().isEmpty());
}

// A label's text is readable only if every word fits its width and every line its height.
TEST_F(DialogTexts, EveryLabelTextFitsItsDesignBox) {
    for (const char* name : {"Label1", "Label2", "Label3", "Label4"}) {
        SCOPED_TRACE(name);
        auto* label = built.window->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr);
        const QFontMetrics metrics(label->font());
        for (const QString& word :
             label->text().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
            EXPECT_LE(metrics.horizontalAdvance(word), label->width()) << word.toStdString();
        EXPECT_LE(label->heightForWidth(label->width()), label->height());
    }
}

}  // namespace
}  // namespace tracewell::dialog
