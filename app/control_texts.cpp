#include "app/control_texts.h"

#include <QWidget>

namespace tracewell::app {
namespace {

struct ControlText {
    const char* control;
    const char* name;
    const char* tip;  // also the accessible description
    bool showTip;
};

constexpr ControlText kTexts[] = {
    {"Pic", "Plot area",
     "Click to plot the expression. Right click to copy or save the picture or the samples", false},
    {"T", "Expression y = f(x)", "Enter plots it. Up and Down bring back the texts plotted before",
     false},
    {"Lb", "y =", "The expression y = f(x) goes in the box to the right", true},
    {"Lt", "Precision level", "Sampling precision, 0 (coarse) to 14 (fine). Click to reset to 6",
     true},
    {"VS", "Precision bar",
     "Sampling precision, 0 (coarse) to 14 (fine): an arrow click moves it by 2, a track click "
     "by 3. The next plot uses it",
     true},
    {"Lg", "Half-height of the y interval", "Half-height of the y interval. Click to reset to 2",
     true},
    {"VScroll1", "Half-height bar",
     "Half-height of the y interval, 1 to 25: a click on an arrow or the track changes it by 1 "
     "and replots",
     true},
    {"Lv", "Half-width of the x interval", "Half-width of the x interval. Click to reset to 10",
     true},
    {"HScroll1", "Half-width bar",
     "Half-width of the x interval, 1 to 50: a click on an arrow or the track changes it by 1 "
     "and replots",
     true},
    {"Image1", "Help", "Help (F1)", true},
};

}  // namespace

void describeControls(QWidget* window) {
    for (const ControlText& text : kTexts) {
        auto* control = window->findChild<QWidget*>(QLatin1String(text.control));
        if (!control) continue;
        control->setAccessibleName(QString::fromUtf8(text.name));
        control->setAccessibleDescription(QString::fromUtf8(text.tip));
        if (text.showTip) control->setToolTip(QString::fromUtf8(text.tip));
    }
}

}  // namespace tracewell::app
