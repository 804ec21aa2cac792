#include "plot/plot_state.h"

namespace tracewell::plot {

const QString& CharacterTable::operator()(int code) const {
    static const QString none;
    return holds(code) ? entries_[code - kFirst] : none;
}

void CharacterTable::set(int code, const QString& entry) {
    if (holds(code)) entries_[code - kFirst] = entry;
}

}  // namespace tracewell::plot
