#pragma once
// How numbers are written in the window: captions, and tick labels that keep a blank where
// a minus sign would stand.

#include <QString>

namespace tracewell::plot {

// "10", "-3": decimal digits with a leading minus for a negative value.
inline QString captionNumber(int v) { return QString::number(v); }

// " 1", "-1", " 0": a blank in the sign position of zero and positive values.
inline QString signReservingNumber(int v) {
    return v < 0 ? QString::number(v) : QLatin1Char(' ') + QString::number(v);
}

}  // namespace tracewell::plot
