// The sample grid: the sums it fills in whole stretches are the sums one at a time, and
// their values are those of the whole grid.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "eval/x_text.h"
#include "plot/sample_grid.h"
#include "plot/step_table.h"

namespace tracewell::plot {
namespace {

struct Sums {
    std::vector<float> xs;
    float end;
};

Sums oneAtATime(float first, float bound, float step) {
    Sums s;
    float x = first;
    while (x <= bound) {
        s.xs.push_back(x);
        const float next = x + step;
        if (!(next > x)) break;
        x = next;
    }
    s.end = x;
    return s;
}

void expectSums(SampleGrid& grid, float first, float bound, float step) {
    grid.prepare(first, bound, step);
    const Sums want = oneAtATime(first, bound, step);
    ASSERT_EQ(grid.singles().size(), want.xs.size()) << first << " " << bound << " " << step;
    EXPECT_EQ(std::memcmp(grid.singles().data(), want.xs.data(), want.xs.size() * sizeof(float)), 0)
        << first << " " << bound << " " << step;
    EXPECT_EQ(grid.end(), want.end);
    // The values, computed a stretch at a time, are those of the whole grid at once.
    std::vector<double> values(want.xs.size());
    eval::xValues(want.xs, values);
    ASSERT_EQ(grid.values().size(), values.size());
    // On a cache line, as the engine reads whole lines.
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(grid.values().data()) % 64, 0u);
    EXPECT_EQ(std::memcmp(grid.values().data(), values.data(), values.size() * sizeof(double)), 0)
        << first << " " << bound << " " << step;
}

TEST(SampleGrid, StretchesGiveTheSumsOneAtATime) {
    SampleGrid grid;
    for (int level = 0; level <= StepTable::kFinestLevel; level += 2) {
        const float step = *StepTable::stepFor(level);
        for (const int range : {1, 3, 10, 49, 50}) {
            expectSums(grid, static_cast<float>(-range), static_cast<float>(range), step);
            expectSums(grid, 0, static_cast<float>(range), step);
        }
    }
    // A step halfway between two multiples of the spacing of [8, 16), where ties decide;
    // a step below half the spacing, where x stops moving; odd starts and bounds.
    expectSums(grid, 8, 8.01f, 3 * std::ldexp(1.0f, -21));
    expectSums(grid, 1e7f, 2e7f, 0.4f);
    expectSums(grid, -0.3f, 1e-3f, 7e-6f);
    expectSums(grid, -1e-30f, 1e-30f, 1e-38f);
}

}  // namespace
}  // namespace tracewell::plot
