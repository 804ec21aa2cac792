#include "stress_run.h"

#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <deque>

#include "sanitized.h"

namespace tracewell::stress {

std::uint32_t stressSeed() {
    if (const char* s = std::getenv("TRACEWELL_STRESS_SEED"); s && *s)
        return static_cast<std::uint32_t>(std::strtoul(s, nullptr, 0));
    return 20240611;
}

double maxPlotCost() { return kSanitized ? 1.5e7 : 4e7; }

::testing::AssertionResult runActions(WindowModel& model, ModalCloser& closer,
                                      RandomActions& actions, int count, std::uint32_t seed) {
    // TRACEWELL_STRESS_LOG=1 lists every action, to follow a run that fails late.
    const bool log = std::getenv("TRACEWELL_STRESS_LOG") != nullptr;
    std::deque<QString> recent;
    for (int i = 0; i < count; ++i) {
        recent.push_back(actions.next());
        if (log) std::fprintf(stderr, "%d: %s\n", i, qPrintable(recent.back()));
        if (recent.size() > 12) recent.pop_front();
        const QStringList broken = model.endAction() + closer.takeSurprises();
        if (broken.isEmpty()) continue;
        auto failure = ::testing::AssertionFailure()
                       << "seed " << seed << " (TRACEWELL_STRESS_SEED), action " << i << ": "
                       << broken.join("; ").toStdString() << "\nlast actions:";
        for (const QString& a : recent) failure << "\n  " << a.toStdString();
        return failure;
    }
    return ::testing::AssertionSuccess();
}

}  // namespace tracewell::stress
