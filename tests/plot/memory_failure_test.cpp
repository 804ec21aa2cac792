// A plot that runs out of memory: this program's own operator new fails every allocation from
// a given size on, which only the buffers of a plot's pieces reach.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "plot_test_support.h"

namespace {

std::atomic<std::size_t> failFrom{SIZE_MAX};

void* allocate(std::size_t n, std::size_t alignment = alignof(std::max_align_t)) {
    if (n >= failFrom.load(std::memory_order_relaxed)) throw std::bad_alloc();
    void* p = nullptr;
    if (posix_memalign(&p, std::max(alignment, sizeof(void*)), n ? n : 1) != 0)
        throw std::bad_alloc();
    return p;
}

}  // namespace

void* operator new(std::size_t n) { return allocate(n); }
void* operator new[](std::size_t n) { return allocate(n); }
void* operator new(std::size_t n, std::align_val_t a) { return allocate(n, std::size_t(a)); }
void* operator new[](std::size_t n, std::align_val_t a) { return allocate(n, std::size_t(a)); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }

namespace tracewell::plot {
namespace {

TEST(MemoryFailure, APlotSaysSoAndTheNextOneDrawsInFull) {
    testing::PlotRig whole(10, 2, 14);  // 250,000 samples, in pieces of 16,384
    ASSERT_FALSE(whole.plot("sin(x)"));

    testing::PlotRig rig(10, 2, 14);
    failFrom = 8 * 1024;  // the buffers a thread makes its pieces in take 8 kB each
    const auto problem = rig.plot("sin(x)", nullptr);
    failFrom = SIZE_MAX;
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->message, "Not enough memory for this plot");
    EXPECT_TRUE(problem->outOfMemory);
    // Nothing kept of the failed run: the same range again draws the whole curve.
    EXPECT_FALSE(rig.plot("sin(x)"));
    EXPECT_EQ(rig.surface.image(), whole.surface.image());
}

}  // namespace
}  // namespace tracewell::plot
