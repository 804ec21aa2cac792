// Linked into the test programs that run once per level of fast paths: where the level asked
// for is one this processor lacks, every test is skipped, not failed.
#include <gtest/gtest.h>

#include <cstdio>

#include "eval/cpu.h"

namespace {

class IsaCheck : public ::testing::Environment {
    void SetUp() override {
        const std::string& refusal = tracewell::eval::isaChoice().refusal;
        if (refusal.empty()) return;
        // The line ctest reads as a skip; GoogleTest names no skipped test when its set-up
        // skips them all.
        std::printf("[  SKIPPED ] %s\n", refusal.c_str());
        GTEST_SKIP() << refusal;
    }
};

[[maybe_unused]] ::testing::Environment* const check =
    ::testing::AddGlobalTestEnvironment(new IsaCheck);

}  // namespace
