#include "dialog/dialog_design.h"

#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QStyle>
#include <array>

#include "dialog/design_line.h"
#include "dialog/dialog_texts.h"
#include "platform/twips.h"

namespace tracewell::dialog {

namespace {

constexpr QSizeF kClientTwips(5175, 4410);

struct FontDesign {
    std::array<const char*, 3> families;  // the designed one first, then stand-ins
    double points;
};

// Where MS Sans Serif is missing, a font of Arial's widths keeps the instructions inside their
// label; the platform's own fallback is wider and would cut off the last line.
constexpr FontDesign kSansSerif{{"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans"}, 8.25};

struct LineDesign {
    const char* name;
    QLineF twips;
};

// Together a frame round everything, split above the buttons and between them.
const std::array<LineDesign, 8> kLines{{
    {"Line7", QLineF(5040, 120, 120, 120)},
    {"Line6", QLineF(120, 120, 120, 3720)},
    {"Line3", QLineF(120, 3360, 120, 4320)},
    {"Line2", QLineF(120, 4320, 5040, 4320)},
    {"Line8", QLineF(5040, 4320, 5040, 120)},
    {"Line4", QLineF(5040, 3360, 5040, 4080)},
    {"Line1", QLineF(120, 3600, 5040, 3600)},
    {"Line5", QLineF(2520, 3600, 2520, 4320)},
}};

struct LabelDesign {
    const char* name;
    QRectF twips;
    FontDesign font;
    QStringView text;
};

const LabelDesign kInstructionsLabel{"Label3", QRectF(240, 720, 2535, 2175), kSansSerif,
                                     texts::kInstructions};
const LabelDesign kFunctionsLabel{
    "Label1", QRectF(2880, 840, 1935, 2175), {{"Courier New"}, 9}, texts::kFunctionList};
const LabelDesign kContactsLabel{
    "Label2", QRectF(240, 3000, 2055, 495), {{"Arial"}, 9.75}, texts::kContacts};
const LabelDesign kCreditsLabel{
    "Label4", QRectF(2640, 3000, 2295, 495), {{"Arial"}, 9}, texts::kCredits};

QFont designFont(const FontDesign& design) {
    QStringList families;
    for (const char* family : design.families)
        if (family) families << QString::fromLatin1(family);
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(design.points);
    font.setWeight(QFont::Normal);
    return font;
}

template <typename Widget>
Widget* place(QWidget* parent, const char* name, const QRectF& twips, const FontDesign& font) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(platform::toPixels(twips, parent));
    widget->setFont(designFont(font));
    return widget;
}

void addProgramName(QWidget* parent) {
    auto* name = place<QLineEdit>(parent, "Text1", QRectF(240, 240, 2295, 315), {{"Arial"}, 14.25});
    name->setText(QLatin1Char(' ') + texts::kProgramTitle.toString());
    name->setReadOnly(true);
    name->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
    name->setCursorPosition(0);
    name->setAccessibleName(QStringLiteral("Program name and version"));
    QPalette colours = name->palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Button));
    colours.setColor(QPalette::Text, Qt::black);
    name->setPalette(colours);
}

void addLabel(QWidget* parent, const LabelDesign& design) {
    auto* label = place<QLabel>(parent, design.name, design.twips, design.font);
    label->setTextFormat(Qt::PlainText);
    label->setText(design.text.toString());
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);  // at blanks, within the design width
}

// A command button as the design's platform has it: Enter presses the focused one, as Space
// does, without making it the window's default.
class CommandButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !event->isAutoRepeat()) {
            event->accept();
            click();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

QPushButton* addButton(QWidget* parent, const char* name, const QRectF& twips, QStringView text) {
    auto* button = place<CommandButton>(parent, name, twips, kSansSerif);
    button->setText(text.toString());
    // Neither button is the window's default, nor becomes it on taking the focus.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

void centreOnScreen(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    window->move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size(),
                                     screen->availableGeometry())
                     .topLeft());
}

}  // namespace

DialogWindow buildDialogWindow(const QPixmap& icon) {
    auto window = std::make_unique<QDialog>(
        nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                     Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                     Qt::MSWindowsFixedSizeDialogHint);
    window->setObjectName(QStringLiteral("Dialog"));
    window->setWindowTitle(texts::kCaption.toString());
    window->setWindowModality(Qt::ApplicationModal);
    if (!icon.isNull()) window->setWindowIcon(QIcon(icon));
    window->setFixedSize(
        platform::toPixels(QRectF(QPointF(0, 0), kClientTwips), window.get()).size());

    // Lines first: they lie beneath the controls, as line shapes do.
    for (const LineDesign& line : kLines) {
        auto* widget = new DesignLine(line.twips, window.get());
        widget->setObjectName(QString::fromLatin1(line.name));
    }

    // Created in the design's tab order, which the focus chain follows: OKButton, CancelButton,
    // Label1, Text1, Label2, Label3, Label4. Text1 and the labels take no focus from Tab.
    QPushButton* okButton =
        addButton(window.get(), "OKButton", QRectF(2640, 3720, 2295, 495), texts::kOkButton);
    QPushButton* siteButton =
        addButton(window.get(), "CancelButton", QRectF(360, 3720, 1935, 495), texts::kSiteButton);
    addLabel(window.get(), kFunctionsLabel);
    addProgramName(window.get());
    addLabel(window.get(), kContactsLabel);
    addLabel(window.get(), kInstructionsLabel);
    addLabel(window.get(), kCreditsLabel);
    okButton->setFocus();

    centreOnScreen(window.get());
    return {std::move(window), okButton, siteButton};
}

}  // namespace tracewell::dialog
