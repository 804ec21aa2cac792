#pragma once
// What the window and tracewell-plot accept and start from, in one table: each bar's range,
// start value and steps, with the caption its label writes before the number. The bars'
// designs, the labels, the resets, tracewell-plot's checks and both programs' help texts are
// made from it, so that none of them can name another limit.

#include <QString>
#include <QStringView>
#include <cstdint>

#include "plot/label_numbers.h"
#include "plot/step_table.h"

namespace tracewell::plot {

struct BarLimits {
    std::int16_t minimum, maximum;
    std::int16_t start;      // at start-up, and what a click on the label returns to
    std::int16_t arrowStep;  // one arrow click, arrow key or wheel notch
    std::int16_t trackStep;  // one click in the track or page key
    QStringView caption;     // what the label writes before the number

    constexpr bool holds(int value) const { return value >= minimum && value <= maximum; }
    // The label's text for value: "Ox: 10".
    QString label(int value) const { return caption.toString() + captionNumber(value); }
};

// The half-width of the x interval: HScroll1 and Lv.
inline constexpr BarLimits kXRangeBar{1, 50, 10, 1, 1, u"Ox: "};
// The half-height of the y interval: VScroll1 and Lg.
inline constexpr BarLimits kYRangeBar{1, 25, 2, 1, 1, u"Oy: "};
// The precision level: VS and Lt. Only its even levels have a step (StepTable); the odd ones
// keep the step of the level before.
inline constexpr BarLimits kLevelBar{0, StepTable::kFinestLevel, 6, 2, 3, u""};

// The level a resize sets in a window taller than its design; otherwise it sets the start.
inline constexpr int kTallWindowLevel = 8;

// tracewell-plot's --size: each side from 1 to this many pixels. The largest picture still
// fits the surface's limit (platform::ImageSurface::kMaxDevicePixels).
inline constexpr int kLargestPictureSide = 10000;

}  // namespace tracewell::plot
