// The same seeded actions, run again and again on one window, leave the memory where it was:
// a leak or an ever-growing cache in any action would add up over the repetitions.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdio>
#include <vector>

#include "process_memory.h"
#include "sanitized.h"
#include "stress_run.h"

namespace tracewell::stress {
namespace {

constexpr std::int64_t kMiB = 1024 * 1024;

// The start of every repetition: design size, default ranges, level and text.
void startOver(app::Fgraph& window) {
    const Controls c(window);
    window.setWindowState(Qt::WindowNoState);
    window.resize(618, 391);
    c.t->setText("sin(x)");
    c.hscroll1->setCurrentValue(10);
    c.vscroll1->setCurrentValue(2);
    c.vs->setCurrentValue(6);
    window.VS_Change();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(WindowStress, MemoryDoesNotGrowAcrossRepetitions) {
    constexpr int kRepetitions = 6;  // the first warms up fonts, caches and the help
    const int count = kSanitized ? 150 : 300;
    const std::uint32_t seed = stressSeed();
    app::Fgraph window;
    window.show();
    ModalCloser closer;

    std::vector<MemoryFigures> figures;
    for (int rep = 0; rep < kRepetitions; ++rep) {
        startOver(window);
        {
            WindowModel model(window);
            RandomActions actions(model, closer, seed, maxPlotCost());
            ASSERT_TRUE(runActions(model, closer, actions, count, seed)) << "repetition " << rep;
        }
        startOver(window);
        figures.push_back(measureMemory());
        std::printf("after repetition %d: resident %.2f MiB, heap in use %.3f MiB\n", rep,
                    double(figures.back().residentBytes) / kMiB,
                    double(figures.back().heapBytes) / kMiB);
    }
    std::printf(
        "growth from repetition 1 to %d: resident %+lld KiB, heap %+lld KiB\n", kRepetitions - 1,
        static_cast<long long>(figures.back().residentBytes - figures[1].residentBytes) / 1024,
        static_cast<long long>(figures.back().heapBytes - figures[1].heapBytes) / 1024);
    // The heap comes back to within kilobytes; a leak of one kilobyte per action would pass
    // 1 MiB over four repetitions.
    EXPECT_LT(figures.back().heapBytes - figures[1].heapBytes, kMiB);
    // AddressSanitizer keeps freed blocks resident in its quarantine: only the heap counts there.
    if (!kSanitized) {
        EXPECT_LT(figures.back().residentBytes - figures[1].residentBytes, 8 * kMiB);
    }
}

}  // namespace
}  // namespace tracewell::stress
