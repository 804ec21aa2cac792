// What the main window offers beyond its design, without changing any control's place, size,
// caption or tab order: the plot area's menu and shortcuts, coordinates under the pointer, F1
// for the help, Escape to stop a plot, the box's history, names and tool tips, and a minimum
// size.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QShortcut>
#include <QToolTip>
#include <cmath>

#include "app/control_texts.h"
#include "app/expression_history.h"
#include "app/fgraph.h"
#include "app/plot_files.h"
#include "app/pointer_coordinates.h"
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
// The plot area's height is H - 1395 twips; it keeps at least this many pixels.
constexpr int kMinPlotPixels = 100;

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
        return QFileDialog::getSaveFileName(this, caption, QString(), filter);
    };
    warn_ = [this](const QString& message) {
        QMessageBox::warning(this, QStringLiteral("Tracewell"), message);
    };

    // Ctrl+C only while the plot area has the focus: in the box it copies text.
    copyPictureAction_ =
        action(Pic, QStringLiteral("Copy picture"), QKeySequence::Copy, Qt::WidgetShortcut);
    savePictureAction_ =
        action(this, QStringLiteral("Save picture as..."), QKeySequence::Save, Qt::WindowShortcut);
    saveSamplesAction_ =
        action(this, QStringLiteral("Save samples as..."), QKeySequence(), Qt::WindowShortcut);
    saveSamplesAction_->setEnabled(false);  // until something has been plotted
    connect(copyPictureAction_, &QAction::triggered, this, &Fgraph::copyPicture);
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
    describeControls(this);

    const double twips = platform::twipsPerPixel(this);
    setMinimumSize(
        static_cast<int>(std::ceil((kMinOuterWidth - plot::kFrameWidth) / twips)),
        static_cast<int>(std::ceil((1395 - plot::kFrameHeight) / twips)) + kMinPlotPixels);
}

void Fgraph::showPlotMenu(const QPoint& at) {
    platform::runGuarded(this, [&] {
        QToolTip::hideText();
        QMenu menu(this);
        menu.addAction(copyPictureAction_);
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
        const QString path = askFileName_(QStringLiteral("Save %1 as").arg(what), filter);
        if (path.isEmpty()) return;  // cancelled
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
    const QString text =
        pointerCoordinates(area.size(), at - area.topLeft(), state_.XRange, state_.YRange);
    // The tip lives while the pointer stays inside the picture.
    QToolTip::showText(Pic->mapToGlobal(at), text, Pic, area);
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
    T->setSelection(at, pair ? 2 : 1);
}

}  // namespace tracewell::app
