// What the main window offers beyond its design, without changing any control's place, size,
// caption or tab order: the plot area's menu and shortcuts, coordinates under the pointer, F1
// for the help, Escape to stop a plot, the box's history, pasting and refusals, names and
// tool tips, and a minimum size.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QShortcut>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

#include "app/control_texts.h"
#include "app/expression_history.h"
#include "app/fgraph.h"
#include "app/plot_files.h"
#include "platform/guard.h"
#include "platform/picture_box.h"
#include "platform/twips.h"
#include "plot/window_layout.h"

namespace tracewell::app {
namespace {

// The smallest outer width at which the strip's controls keep clear of each other: T's right
// end (550 + W / 3.5) stays left of Lt (W / 2 - 1300) from W > 8633.3, and HScroll1's right
// end (W / 2 + 2295) left of Image1 (W - 650) from W > 5890.
constexpr double kMinOuterWidth = 8634;
// The plot area's height is H - plot::kHeightAroundPlotArea twips; it keeps at least this many
// pixels.
constexpr int kMinPlotPixels = 100;

// The extension of a filter's first pattern: "png" for "PNG picture (*.png);;All files (*)".
QString firstExtension(const QString& filter) {
    const qsizetype star = filter.indexOf(QStringLiteral("*."));
    if (star < 0) return {};
    qsizetype end = star + 2;
    while (end < filter.size() && filter[end].isLetterOrNumber()) ++end;
    return filter.mid(star + 2, end - star - 2);
}

// A tint of the box's own background towards red, so a refusal shows without a glance at
// the tool tip.
QColor problemTint(const QColor& face) {
    constexpr double kShare = 0.35;
    const QColor red(255, 80, 80);
    const auto mix = [&](int a, int b) { return static_cast<int>(a + (b - a) * kShare + 0.5); };
    return QColor(mix(face.red(), red.red()), mix(face.green(), red.green()),
                  mix(face.blue(), red.blue()));
}

// Line breaks and tabs that end a pasted text are dropped as it is pasted: the box holds one
// line, and no key types them there, so those just before the cursor came with a paste (or
// a drop).
void dropPastedBreaks(QLineEdit* box) {
    const QString text = box->text();
    const int end = box->cursorPosition();
    int start = end;
    while (start > 0 &&
           (text[start - 1] == u'\n' || text[start - 1] == u'\r' || text[start - 1] == u'\t'))
        --start;
    if (start == end) return;
    box->setSelection(start, end - start);
    box->del();  // an edit of its own, undone as one
}

QAction* action(QWidget* owner, const QString& text, const QKeySequence& keys,
                Qt::ShortcutContext context) {
    auto* a = new QAction(text, owner);
    a->setShortcut(keys);
    a->setShortcutContext(context);
    owner->addAction(a);
    return a;
}

}  // namespace

void Fgraph::addAffordances() {
    askFileName_ = [this](const QString& caption, const QString& filter) {
        // The dialog adds the extension itself, so that it asks before replacing that file.
        QFileDialog dialog(this, caption, QString(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(firstExtension(filter));
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    warn_ = [this](const QString& message) {
        QMessageBox::warning(this, QStringLiteral("Tracewell"), message);
    };

    // Ctrl+C only while the plot area has the focus: in the box it copies text.
    copyPictureAction_ =
        action(Pic, QStringLiteral("Copy picture"), QKeySequence::Copy, Qt::WidgetShortcut);
    copyPointAction_ =
        action(Pic, QStringLiteral("Copy point"), QKeySequence(), Qt::WidgetShortcut);
    savePictureAction_ =
        action(this, QStringLiteral("Save picture as..."), QKeySequence::Save, Qt::WindowShortcut);
    saveSamplesAction_ =
        action(this, QStringLiteral("Save samples as..."), QKeySequence(), Qt::WindowShortcut);
    saveSamplesAction_->setEnabled(false);  // until something has been plotted
    connect(copyPictureAction_, &QAction::triggered, this, &Fgraph::copyPicture);
    connect(copyPointAction_, &QAction::triggered, this, &Fgraph::copyPoint);
    connect(savePictureAction_, &QAction::triggered, this, &Fgraph::savePictureAs);
    connect(saveSamplesAction_, &QAction::triggered, this, &Fgraph::saveSamplesAs);
    Pic->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Pic, &QWidget::customContextMenuRequested, this, &Fgraph::showPlotMenu);

    Pic->setMouseTracking(true);
    Pic->installEventFilter(this);

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, &Fgraph::Image1_Click);
    auto* stop = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    stop->setContext(Qt::WindowShortcut);
    connect(stop, &QShortcut::activated, this, &Fgraph::stopPlot);

    history_ = new ExpressionHistory(T);
    connect(T, &QLineEdit::textEdited, this, [this] { dropPastedBreaks(T); });
    connect(T, &QLineEdit::textChanged, this, &Fgraph::clearProblem);
    describeControls(this);

    const double twips = platform::twipsPerPixel(this);
    setMinimumSize(
        static_cast<int>(std::ceil((kMinOuterWidth - plot::kFrameWidth) / twips)),
        static_cast<int>(std::ceil((plot::kHeightAroundPlotArea - plot::kFrameHeight) / twips)) +
            kMinPlotPixels);
}

void Fgraph::showPlotMenu(const QPoint& at) {
    platform::runGuarded(this, [&] {
        QToolTip::hideText();
        menuAt_ = at;
        copyPointAction_->setEnabled(plotter_.hasCurve());
        QMenu menu(this);
        menu.addAction(copyPictureAction_);
        menu.addAction(copyPointAction_);
        menu.addAction(savePictureAction_);
        menu.addAction(saveSamplesAction_);
        menu.exec(Pic->mapToGlobal(at));
    });
}

void Fgraph::copyPicture() {
    platform::runGuarded(this, [this] {
        // The surface holds device pixels, at the screen's pixel ratio.
        if (QClipboard* clipboard = QGuiApplication::clipboard())
            clipboard->setImage(Pic->surface().image());
    });
}

void Fgraph::savePictureAs() {
    saveAs(QStringLiteral("picture"), QStringLiteral("PNG picture (*.png);;All files (*)"),
           [this](const QString& path) { return savePicture(Pic->surface().image(), path); });
}

void Fgraph::saveSamplesAs() {
    if (plotter_.running() || !plotter_.hasSamples()) return;
    saveAs(QStringLiteral("samples"), QStringLiteral("CSV table (*.csv);;All files (*)"),
           [this](const QString& path) { return saveSamples(plotter_, path); });
}

void Fgraph::saveAs(const QString& what, const QString& filter,
                    const std::function<QString(const QString& path)>& write) {
    platform::runGuarded(this, [&] {
        QString path = askFileName_(QStringLiteral("Save %1 as").arg(what), filter);
        if (path.isEmpty()) return;  // cancelled
        // A pipe or a device is written as named: it is no file to give a type.
        const QFileInfo typed(path);
        if (typed.suffix().isEmpty() && !(typed.exists() && !typed.isFile()))
            path +=
                (path.endsWith(u'.') ? QString() : QStringLiteral(".")) + firstExtension(filter);
        const QString why = write(path);
        if (!why.isEmpty())
            warn_(QStringLiteral("The %1 could not be saved to %2: %3").arg(what, path, why));
    });
}

bool Fgraph::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Pic) return QWidget::eventFilter(watched, event);
    // The plot area's tool tip is the coordinates under the pointer: it shows when the pointer
    // rests there and then follows it until the pointer leaves or a button is pressed. (Not
    // at once on a move: a click leaves the pointer on the picture, and a tip would hide part
    // of the new plot.)
    switch (event->type()) {
        case QEvent::ToolTip:
            followPointer_ = true;
            showCoordinates(static_cast<QHelpEvent*>(event)->pos());
            return true;
        case QEvent::MouseMove:
            if (followPointer_)
                showCoordinates(static_cast<QMouseEvent*>(event)->position().toPoint());
            return false;
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
            followPointer_ = false;
            QToolTip::hideText();
            return false;
        case QEvent::Wheel:
            return zoomByWheel(*static_cast<QWheelEvent*>(event));
        case QEvent::KeyPress:
            return plotAreaKey(*static_cast<QKeyEvent*>(event));
        case QEvent::ContextMenu:
            // The menu key's own request, where the platform makes one: the key opened it.
            return static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard;
        default:
            return false;
    }
}

void Fgraph::showCoordinates(const QPoint& at) {
    const QRect area = Pic->contentsRect();
    if (!area.contains(at) || QApplication::activePopupWidget()) {
        QToolTip::hideText();
        return;
    }
    // The tip lives while the pointer stays inside the picture.
    QToolTip::showText(Pic->mapToGlobal(at), pointText(at, true), Pic, area);
}

void Fgraph::setProblemLook(bool on) {
    QPalette palette = T->palette();
    const QColor face = palette.color(QPalette::Button);  // the box's design background
    palette.setColor(QPalette::Base, on ? problemTint(face) : face);
    T->setPalette(palette);
}

void Fgraph::markProblem(const plot::PlotProblem& problem) {
    showProblem(problem.message);
    // Select the character to blame, so a glance shows it and typing replaces it; a text cut
    // short gets the cursor at its end. The focus stays where it was.
    const QString text = T->text();
    const int at = problem.position - 1;
    if (problem.position <= 0) return;
    if (at >= text.size()) {
        T->setCursorPosition(static_cast<int>(text.size()));
        return;
    }
    const bool pair = text[at].isHighSurrogate() && at + 1 < text.size();
    T->setSelection(at, pair ? 2 : std::max(1, problem.length));
}

}  // namespace tracewell::app
