// What the plot area does beyond a click: the curve's value under the pointer, the wheel that
// zooms through the range bars, and the keys that plot and open its menu.
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWheelEvent>

#include "app/fgraph.h"
#include "app/pointer_coordinates.h"
#include "platform/guard.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"

namespace tracewell::app {
namespace {

// Holds a flag up for as long as it lives.
struct Raised {
    explicit Raised(bool& flag) : flag_(flag) { flag_ = true; }
    ~Raised() { flag_ = false; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

private:
    bool& flag_;
};

}  // namespace

QString Fgraph::pointText(const QPoint& at, bool withY) const {
    const QRect area = Pic->contentsRect();
    const PointerPlace place =
        pointerPlace(area.size(), at - area.topLeft(), state_.XRange, state_.YRange);
    QString text = QStringLiteral("x = ") + place.xText;
    if (withY) text += QStringLiteral("   y = ") + place.yText;
    // As a sample at that x: x in single precision, the value drawn as a single.
    if (const auto value = plotter_.valueAt(static_cast<float>(place.x)))
        text += QStringLiteral("   f(x) = ") + functionValueText(*value);
    return text;
}

void Fgraph::copyPoint() {
    platform::runGuarded(this, [this] {
        if (QClipboard* clipboard = QGuiApplication::clipboard())
            clipboard->setText(pointText(menuAt_, false));
    });
}

bool Fgraph::zoomByWheel(const QWheelEvent& event) {
    const int notches = wheel_.add(event.angleDelta());
    // Shift keeps y, Ctrl keeps x; with neither, or both, both ranges change.
    const bool shift = event.modifiers() & Qt::ShiftModifier;
    const bool control = event.modifiers() & Qt::ControlModifier;
    const bool x = shift || !control, y = control || !shift;
    platform::runGuarded(this, [&] {
        for (int i = 0; i < notches; ++i) zoomStep(-1, x, y);  // up narrows
        for (int i = 0; i > notches; --i) zoomStep(1, x, y);
    });
    return true;
}

void Fgraph::zoomStep(int direction, bool x, bool y) {
    plotWanted_ = false;
    {
        const Raised held(plotHeld_);
        for (platform::ScrollBar* bar : {x ? HScroll1 : nullptr, y ? VScroll1 : nullptr})
            if (bar) bar->setCurrentValue(bar->currentValue() + direction * bar->singleStep());
    }
    if (plotWanted_) Pic_Click();
}

bool Fgraph::plotAreaKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const int key = event.key();
    if (modifiers == Qt::NoModifier &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        if (!event.isAutoRepeat()) Pic_Click();
        return true;
    }
    if (key == Qt::Key_Menu || (key == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
        showPlotMenu(Pic->contentsRect().center());
        return true;
    }
    return false;
}

}  // namespace tracewell::app
