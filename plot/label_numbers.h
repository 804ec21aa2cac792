#pragma once
// How numbers are written in the window: captions, and tick labels that keep a blank where
// a minus sign would stand.

#include <QString>
#include <string>

#include "eval/x_text.h"

namespace tracewell::plot {

// "10", "-3": decimal digits with a leading minus for a negative value.
inline QString captionNumber(int v) { return QString::number(v); }

// " 1", "-1", " 0": a blank in the sign position of zero and positive values.
inline QString signReservingNumber(int v) {
    return v < 0 ? QString::number(v) : QLatin1Char(' ') + QString::number(v);
}

// x as tables and messages show it: the text the expression sees, without the sign blank.
inline std::string plainXText(float x) {
    std::string text = eval::xText(x);
    if (!text.empty() && text.front() == ' ') text.erase(0, 1);
    return text;
}

}  // namespace tracewell::plot
