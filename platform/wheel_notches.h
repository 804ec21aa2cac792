#pragma once
// Whole notches from a wheel's turns: a common mouse wheel gives 120 eighths of a degree a
// notch; finer wheels and touchpads give parts of one, which add up. Turning back starts
// afresh.

#include <QPoint>

namespace tracewell::platform {

class WheelNotches {
public:
    // The whole notches that this turn completes: positive rolled away from the user (up) or
    // left, negative towards the user or right. An absurd turn counts for 16 notches at most.
    int add(QPoint angleDelta);

private:
    int remainder_ = 0;  // eighths of a degree not yet worth a whole notch
};

}  // namespace tracewell::platform
