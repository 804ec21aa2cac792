#pragma once
// The program's scroll bars: each end carries a design value (the top end may hold the larger
// one, so that moving the thumb up enlarges the value), arrows and track have their own steps,
// and one change notification follows each completed move, so that each move replots once.

#include <QScrollBar>

#include "platform/wheel_notches.h"

class QKeyEvent;
class QWheelEvent;

namespace tracewell::platform {

class ScrollBar : public QScrollBar {
    Q_OBJECT
public:
    struct Design {
        Qt::Orientation orientation;
        int startValue;   // value at the top (vertical) or left (horizontal) end; may be larger
        int endValue;     // value at the bottom or right end
        int value;        // initial value
        int smallChange;  // one arrow click, arrow key or wheel notch
        int largeChange;  // one click in the track or page key
    };

    // Values are 16-bit: the ends are clamped to -32768..32767, the steps to 1..32767 and the
    // initial value into the range. Building the bar emits nothing.
    explicit ScrollBar(const Design& design, QWidget* parent = nullptr);

    // The value in the design's terms, e.g. 25 at the top of a bar running from 25 down to 1.
    // (The inherited value() and setValue() work in QScrollBar's raw terms, which are negated
    // on a bar whose top holds the larger value.)
    int currentValue() const;
    // Clamps value into the range; emits changed() inside the call, only if the value changes.
    void setCurrentValue(int value);

signals:
    // After each completed move that changed the value: an arrow click, a track click, an arrow
    // or page key, a wheel notch, the release of a dragged thumb (nothing while it is dragged),
    // and setCurrentValue.
    void changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // QScrollBar works in raw values that grow towards the bottom or right end.
    int rawFromValue(int value) const { return reversed_ ? -value : value; }
    int valueFromRaw(int raw) const { return reversed_ ? -raw : raw; }
    void applyTrackStep(int action);

    bool reversed_;
    int largeChange_;
    WheelNotches wheel_;
};

}  // namespace tracewell::platform
