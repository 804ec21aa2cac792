#include "cli/bar_options.h"

namespace tracewell::cli {

std::optional<int> barValue(const QString& text, const plot::BarLimits& limits) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || !limits.holds(v)) return std::nullopt;
    return v;
}

QString span(const plot::BarLimits& limits) {
    return QString("%1..%2").arg(limits.minimum).arg(limits.maximum);
}

QString outOfRange(const QString& option, const plot::BarLimits& limits) {
    return QString("%1 wants a whole number from %2 to %3")
        .arg(option)
        .arg(limits.minimum)
        .arg(limits.maximum);
}

QStringList levelsWithAStep() {
    QStringList levels;
    for (int l = plot::kLevelBar.minimum; l <= plot::kLevelBar.maximum; ++l)
        if (plot::StepTable::stepFor(l)) levels << QString::number(l);
    return levels;
}

}  // namespace tracewell::cli
