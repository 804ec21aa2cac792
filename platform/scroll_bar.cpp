#include "platform/scroll_bar.h"

#include <QKeyEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/scroll_bar_style.h"

namespace tracewell::platform {

namespace {

constexpr int kLowest = std::numeric_limits<std::int16_t>::min();
constexpr int kHighest = std::numeric_limits<std::int16_t>::max();

int clampValue(int value) { return std::clamp(value, kLowest, kHighest); }
int clampStep(int step) { return std::clamp(step, 1, kHighest); }

}  // namespace

ScrollBar::ScrollBar(const Design& design, QWidget* parent)
    : QScrollBar(design.orientation, parent),
      reversed_(clampValue(design.startValue) > clampValue(design.endValue)),
      largeChange_(clampStep(design.largeChange)) {
    // QScrollBar keeps its minimum at the top and its arrows, track and keys follow that rule
    // whatever the appearance flags say. A bar with the larger value on top therefore runs over
    // the negated range, where the top is the smallest raw value again.
    setRange(rawFromValue(clampValue(design.startValue)),
             rawFromValue(clampValue(design.endValue)));
    setSingleStep(clampStep(design.smallChange));
    // The track step is applied in applyTrackStep, so the page step serves only to size the
    // thumb, which grows with it. Zero gives the style's smallest thumb (26 px in Fusion): the
    // ranges are short and their values stand in the labels beside them, so the thumb need not
    // show a proportion; it is still big enough to grab, and it never squeezes the arrows.
    // On short bars ScrollBarStyle shrinks arrows and thumb so a track stays between.
    setPageStep(0);
    auto* style = new ScrollBarStyle;
    style->setParent(this);  // outlives the widget's own teardown, which may still consult it
    setStyle(style);
    // A dragged thumb reports only when released, so a drag replots once, not at every pixel.
    setTracking(false);
    // QScrollBar takes no focus by default; these bars are in the tab order and obey keys.
    setFocusPolicy(Qt::StrongFocus);
    setValue(rawFromValue(clampValue(design.value)));

    connect(this, &QAbstractSlider::actionTriggered, this, &ScrollBar::applyTrackStep);
    connect(this, &QAbstractSlider::valueChanged, this, &ScrollBar::changed);
}

int ScrollBar::currentValue() const { return valueFromRaw(value()); }

void ScrollBar::setCurrentValue(int value) {
    // Clamping to 16 bits first keeps the negation safe; setValue clamps into the range.
    setValue(rawFromValue(clampValue(value)));
}

void ScrollBar::applyTrackStep(int action) {
    // Runs before the action's position becomes the value, so the step can be put in here.
    if (action == SliderPageStepAdd)
        setSliderPosition(value() + largeChange_);
    else if (action == SliderPageStepSub)
        setSliderPosition(value() - largeChange_);
}

void ScrollBar::keyPressEvent(QKeyEvent* event) {
    // Qt 6.4 swaps Left and Right on a horizontal QScrollBar, so every key is mapped here: each
    // moves the thumb the way it points, so that keys and arrow buttons agree (Up and Left
    // towards the top or left end, PageUp by a track step towards it, Home to it).
    struct KeyAction {
        int key;
        SliderAction action;
    };
    static constexpr KeyAction kKeyActions[] = {
        {Qt::Key_Up, SliderSingleStepSub},   {Qt::Key_Down, SliderSingleStepAdd},
        {Qt::Key_Left, SliderSingleStepSub}, {Qt::Key_Right, SliderSingleStepAdd},
        {Qt::Key_PageUp, SliderPageStepSub}, {Qt::Key_PageDown, SliderPageStepAdd},
        {Qt::Key_Home, SliderToMinimum},     {Qt::Key_End, SliderToMaximum},
    };
    int key = event->key();
    if (orientation() == Qt::Horizontal && isRightToLeft()) {
        if (key == Qt::Key_Left)
            key = Qt::Key_Right;
        else if (key == Qt::Key_Right)
            key = Qt::Key_Left;
    }
    for (const KeyAction& entry : kKeyActions) {
        if (entry.key == key) {
            triggerAction(entry.action);
            event->accept();
            return;
        }
    }
    QScrollBar::keyPressEvent(event);
}

void ScrollBar::wheelEvent(QWheelEvent* event) {
    // Each notch moves like an arrow click. Rolling up (or left) moves the thumb up (or left).
    if (isSliderDown()) {
        event->ignore();
        return;
    }
    const int notches = wheel_.add(event->angleDelta());
    for (int i = 0; i < notches; ++i) triggerAction(SliderSingleStepSub);
    for (int i = 0; i > notches; --i) triggerAction(SliderSingleStepAdd);
    event->accept();
}

}  // namespace tracewell::platform
