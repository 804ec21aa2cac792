// The main window's event handlers.
#include <QAction>
#include <QLineEdit>

#include "app/expression_history.h"
#include "app/fgraph.h"
#include "dialog/dialog.h"
#include "platform/click_label.h"
#include "platform/guard.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"
#include "plot/number_text.h"
#include "plot/plot_routine.h"
#include "plot/step_table.h"
#include "plot/window_layout.h"

namespace tracewell::app {

void Fgraph::Form_Load() {
    state_.Idx = 33;
    while (state_.Idx <= 126) {
        state_.CharTable.set(state_.Idx, QString(QChar(state_.Idx)));
        ++state_.Idx;
    }
    state_.XRange = 10;
    state_.YRange = 2;
}

void Fgraph::ScriptControl1_Error() { state_.Idx = 0; }

void Fgraph::Pic_Click() {
    platform::runGuarded(this, [this] {
        const QString text = T->text();
        auto problem =
            plot::runPlot(state_, text, {Pic->surface(), ScriptControl1, grid_}, &samples_);
        if (!problem) problem = plot::noValueProblem(samples_);
        Pic->update();
        history_->record(text);
        saveSamplesAction_->setEnabled(!samples_.xs.empty());
        if (problem)
            markProblem(*problem);
        else
            clearProblem();
    });
}

void Fgraph::HScroll1_Change() {
    state_.XRange = static_cast<std::int16_t>(HScroll1->currentValue());
    Lv->setText("Ox: " + plot::captionNumber(state_.XRange));
    Pic_Click();
}

void Fgraph::VScroll1_Change() {
    state_.YRange = static_cast<std::int16_t>(VScroll1->currentValue());
    Lg->setText("Oy: " + plot::captionNumber(state_.YRange));
    Pic_Click();
}

// A label click resets its range without moving the bar.
void Fgraph::Lv_Click() {
    state_.XRange = 10;
    Lv->setText("Ox: " + plot::captionNumber(state_.XRange));
    Pic_Click();
}

void Fgraph::Lg_Click() {
    state_.YRange = 2;
    Lg->setText("Oy: " + plot::captionNumber(state_.YRange));
    Pic_Click();
}

// Moving the bar to another level runs VS_Change at once; then it runs again.
void Fgraph::Lt_Click() {
    VS->setCurrentValue(6);
    VS_Change();
}

// Odd levels have no step and keep the one before. The precision never replots.
void Fgraph::VS_Change() {
    const int level = VS->currentValue();
    if (const auto step = plot::StepTable::stepFor(level)) state_.XStep = *step;
    Lt->setText(plot::captionNumber(level));
}

void Fgraph::Form_Resize() {
    const QSizeF outer = outerSize();
    const auto H = static_cast<float>(outer.height());
    const auto W = static_cast<float>(outer.width());
    Pic->surface().clear();
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
