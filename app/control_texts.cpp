#include "app/control_texts.h"

#include <QWidget>
#include <vector>

#include "plot/limits.h"

namespace tracewell::app {
namespace {

struct ControlText {
    const char* control;
    const char* name;
    QString tip;  // also the accessible description
    bool showTip;
};

using plot::kLevelBar;
using plot::kXRangeBar;
using plot::kYRangeBar;

QString resetTip(const QString& what, const plot::BarLimits& bar) {
    return QString("%1. Click to reset to %2").arg(what).arg(bar.start);
}

// The range bars' tips name one step for the arrows and the track.
static_assert(kXRangeBar.arrowStep == kXRangeBar.trackStep &&
              kYRangeBar.arrowStep == kYRangeBar.trackStep);
QString rangeBarTip(const QString& what, const plot::BarLimits& bar) {
    return QString("%1, %2 to %3: a click on an arrow or the track changes it by %4 and replots")
        .arg(what)
        .arg(bar.minimum)
        .arg(bar.maximum)
        .arg(bar.arrowStep);
}

// The numbers in the tips are the bars' own.
std::vector<ControlText> controlTexts() {
    const QString precision = QString("Sampling precision, %1 (coarse) to %2 (fine)")
                                  .arg(kLevelBar.minimum)
                                  .arg(kLevelBar.maximum);
    const QString halfHeight = "Half-height of the y interval";
    const QString halfWidth = "Half-width of the x interval";
    return {
        {"Pic", "Plot area",
         "Click to plot the expression. Right click to copy or save the picture or the samples",
         false},
        {"T", "Expression y = f(x)",
         "Enter plots it. Up and Down bring back the texts plotted before", false},
        {"Lb", "y =", "The expression y = f(x) goes in the box to the right", true},
        {"Lt", "Precision level", resetTip(precision, kLevelBar), true},
        {"VS", "Precision bar",
         QString("%1: an arrow click moves it by %2, a track click by %3. The next plot uses it")
             .arg(precision)
             .arg(kLevelBar.arrowStep)
             .arg(kLevelBar.trackStep),
         true},
        {"Lg", "Half-height of the y interval", resetTip(halfHeight, kYRangeBar), true},
        {"VScroll1", "Half-height bar", rangeBarTip(halfHeight, kYRangeBar), true},
        {"Lv", "Half-width of the x interval", resetTip(halfWidth, kXRangeBar), true},
        {"HScroll1", "Half-width bar", rangeBarTip(halfWidth, kXRangeBar), true},
        {"Image1", "Help", "Help (F1)", true},
    };
}

}  // namespace

void describeControls(QWidget* window) {
    for (const ControlText& text : controlTexts()) {
        auto* control = window->findChild<QWidget*>(QLatin1String(text.control));
        if (!control) continue;
        control->setAccessibleName(QString::fromUtf8(text.name));
        control->setAccessibleDescription(text.tip);
        if (text.showTip) control->setToolTip(text.tip);
    }
}

}  // namespace tracewell::app
