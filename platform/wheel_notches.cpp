#include "platform/wheel_notches.h"

#include <algorithm>
#include <cstdlib>

namespace tracewell::platform {

int WheelNotches::add(QPoint angle) {
    constexpr int kNotch = 120;
    const int delta = std::clamp(std::abs(angle.x()) > std::abs(angle.y()) ? angle.x() : angle.y(),
                                 -16 * kNotch, 16 * kNotch);
    if ((delta > 0 && remainder_ < 0) || (delta < 0 && remainder_ > 0)) remainder_ = 0;
    remainder_ += delta;
    const int notches = remainder_ / kNotch;  // toward zero: the rest stays for the next turn
    remainder_ -= notches * kNotch;
    return notches;
}

}  // namespace tracewell::platform
