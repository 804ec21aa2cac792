// The main window's event handlers.
#include <QLineEdit>
#include <QTimer>

#include "app/fgraph.h"
#include "dialog/dialog.h"
#include "platform/click_label.h"
#include "platform/guard.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"
#include "plot/limits.h"
#include "plot/window_layout.h"

namespace tracewell::app {

void Fgraph::Form_Load() { plotter_.load(); }

void Fgraph::Pic_Click() {
    if (plotHeld_) {  // a zoom step moves both bars, then plots once
        plotWanted_ = true;
        return;
    }
    platform::runGuarded(this, [this] {
        if (plotPending_) return;  // the newest request is already waiting to run
        if (plotter_.running()) {
            // Stopped at its next piece; the new plot starts once this handler has returned,
            // and every request that comes before then joins it.
            plotter_.stop();
            plotPending_ = true;
            QTimer::singleShot(0, this, &Fgraph::startPendingPlot);
            return;
        }
        startPlot();
    });
}

void Fgraph::HScroll1_Change() {
    state_.XRange = static_cast<std::int16_t>(HScroll1->currentValue());
    Lv->setText(plot::kXRangeBar.label(state_.XRange));
    Pic_Click();
}

void Fgraph::VScroll1_Change() {
    state_.YRange = static_cast<std::int16_t>(VScroll1->currentValue());
    Lg->setText(plot::kYRangeBar.label(state_.YRange));
    Pic_Click();
}

// A label click resets its range without moving the bar.
void Fgraph::Lv_Click() {
    state_.XRange = plot::kXRangeBar.start;
    Lv->setText(plot::kXRangeBar.label(state_.XRange));
    Pic_Click();
}

void Fgraph::Lg_Click() {
    state_.YRange = plot::kYRangeBar.start;
    Lg->setText(plot::kYRangeBar.label(state_.YRange));
    Pic_Click();
}

// Moving the bar to another level runs VS_Change at once; then it runs again.
void Fgraph::Lt_Click() {
    VS->setCurrentValue(plot::kLevelBar.start);
    VS_Change();
}

// Odd levels have no step and keep the one before. The precision never replots.
void Fgraph::VS_Change() {
    const int level = VS->currentValue();
    plotter_.setPrecision(level);
    Lt->setText(plot::kLevelBar.label(level));
}

void Fgraph::Form_Resize() {
    const QSizeF outer = outerSize();
    const auto H = static_cast<float>(outer.height());
    const auto W = static_cast<float>(outer.width());
    // The plot going on would draw into the cleared area, at the old size and scale.
    if (plotter_.stop()) endPlotting();
    Pic->surface().clear();
    plotter_.forgetCurve();
    Pic->update();
    const auto layout = plot::layoutForOuterSize(W, H);
    if (!layout) return;
    place(*layout);
    VS->setCurrentValue(layout->level);
    VS_Change();
}

// The help opens modally; the beep marks its closing.
void Fgraph::Image1_Click() {
    platform::runGuarded(this, [this] {
        if (!dialog_) dialog_ = std::make_unique<dialog::Dialog>();
        if (dialog_->showModal() && beep_) beep_();
    });
}

}  // namespace tracewell::app
