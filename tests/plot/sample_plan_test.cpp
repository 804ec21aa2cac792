// The sample plan: the sums it makes in whole stretches, in pieces from any start, are the
// sums one at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "plot/sample_plan.h"
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

void expectSums(SamplePlan& plan, float first, float bound, float step) {
    plan.prepare(first, bound, step);
    const Sums want = oneAtATime(first, bound, step);
    ASSERT_EQ(plan.size(), want.xs.size()) << first << " " << bound << " " << step;
    EXPECT_EQ(plan.end(), want.end);
    EXPECT_EQ(plan.single(plan.size()), want.end);
    // Made a piece at a time, from starts anywhere, as the workers make them.
    for (const std::size_t piece : {std::size_t{1}, std::size_t{77}, std::size_t{4096}}) {
        std::vector<float> xs(want.xs.size());
        for (std::size_t from = 0; from < xs.size(); from += piece)
            plan.singles(from, std::span(xs).subspan(from, std::min(piece, xs.size() - from)));
        EXPECT_EQ(std::memcmp(xs.data(), want.xs.data(), xs.size() * sizeof(float)), 0)
            << first << " " << bound << " " << step << " in pieces of " << piece;
    }
}

TEST(SamplePlan, StretchesGiveTheSumsOneAtATime) {
    SamplePlan plan;
    for (int level = 0; level <= StepTable::kFinestLevel; level += 2) {
        const float step = *StepTable::stepFor(level);
        for (const int range : {1, 3, 10, 49, 50}) {
            expectSums(plan, static_cast<float>(-range), static_cast<float>(range), step);
            expectSums(plan, 0, static_cast<float>(range), step);
        }
    }
    // A step halfway between two multiples of the spacing of [8, 16), where ties decide;
    // a step below half the spacing, where x stops moving; odd starts and bounds.
    expectSums(plan, 8, 8.01f, 3 * std::ldexp(1.0f, -21));
    expectSums(plan, 1e7f, 2e7f, 0.4f);
    expectSums(plan, -0.3f, 1e-3f, 7e-6f);
    expectSums(plan, -1e-30f, 1e-30f, 1e-38f);
}

}  // namespace
}  // namespace tracewell::plot
