// How the main window runs a plot: at once when it is done within a moment, as every ordinary
// plot is, else in the background while the window goes on taking input, drawn as it comes,
// with a busy cursor on the plot area and the progress in the box's tool tip. Escape stops it.
#include <QAction>
#include <QLineEdit>
#include <QTimer>

#include "app/expression_history.h"
#include "app/fgraph.h"
#include "platform/guard.h"
#include "platform/picture_box.h"

namespace tracewell::app {
namespace {

using namespace std::chrono_literals;

// How long a handler waits for a plot to end before it goes on in the background.
constexpr auto kForeground = 100ms;
// How often a background plot's pieces are drawn.
constexpr auto kRepaint = 25ms;

const QString kPlotting = QStringLiteral("Plotting: ");

QString progressText(double progress) {
    return kPlotting + QStringLiteral("%1 %").arg(static_cast<int>(progress * 100));
}

}  // namespace

bool Fgraph::plotting() const { return plotter_.running() || plotPending_; }

void Fgraph::setPieceHook(std::function<void(std::size_t piece)> hook) {
    plotter_.setPieceHook(std::move(hook));
}

void Fgraph::startPlot() {
    endPlotting();
    const QString text = T->text();
    history_->record(text);
    saveSamplesAction_->setEnabled(false);
    if (const auto problem = plotter_.begin(Pic->surface(), text)) {
        Pic->update();
        markProblem(*problem);
        emit plotted();
        return;
    }
    if (plotter_.advance(kForeground)) {
        finishPlot();
        return;
    }
    Pic->update();
    Pic->setCursor(Qt::BusyCursor);
    T->setToolTip(progressText(plotter_.progress()));
    if (!plotTimer_) {
        plotTimer_ = new QTimer(this);
        plotTimer_->setInterval(kRepaint);
        connect(plotTimer_, &QTimer::timeout, this, &Fgraph::continuePlot);
    }
    plotTimer_->start();
}

void Fgraph::startPendingPlot() {
    platform::runGuarded(this, [this] {
        if (!plotPending_) return;  // called off by Escape
        plotPending_ = false;
        startPlot();
    });
}

void Fgraph::continuePlot() {
    platform::runGuarded(this, [this] {
        if (plotter_.advance(0ms)) {
            finishPlot();
            return;
        }
        Pic->update();
        T->setToolTip(progressText(plotter_.progress()));
    });
}

void Fgraph::finishPlot() {
    endPlotting();
    Pic->update();
    saveSamplesAction_->setEnabled(plotter_.hasSamples());
    if (const auto problem = plotter_.runProblem())
        markProblem(*problem);
    else
        clearProblem();
    emit plotted();
}

void Fgraph::stopPlot() {
    platform::runGuarded(this, [this] {
        const bool pending = plotPending_;
        plotPending_ = false;
        if (plotter_.stop() || pending) finishPlot();
    });
}

void Fgraph::endPlotting() {
    if (plotTimer_) plotTimer_->stop();
    Pic->unsetCursor();
    if (T->toolTip().startsWith(kPlotting)) T->setToolTip(QString());
}

}  // namespace tracewell::app
