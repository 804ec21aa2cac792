#pragma once
// tracewell-plot's options that set a bar's value (--xrange, --yrange, --level): their help
// texts and their checks, made from the bars' limits.

#include <QString>
#include <QStringList>
#include <optional>

#include "plot/limits.h"

namespace tracewell::cli {

// The value of text when it is a whole number within limits.
std::optional<int> barValue(const QString& text, const plot::BarLimits& limits);
// "1..50", as the help writes a range.
QString span(const plot::BarLimits& limits);
// "--xrange wants a whole number from 1 to 50".
QString outOfRange(const QString& option, const plot::BarLimits& limits);
// The precision levels that have a step: "0", "2", ..., "14".
QStringList levelsWithAStep();

}  // namespace tracewell::cli
