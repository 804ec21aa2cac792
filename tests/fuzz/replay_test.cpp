// The fuzzer's seeds and the inputs worth keeping (every one that ever broke a rule of the
// engine, and edge cases found by hand), replayed through the same rules in the ordinary
// test run.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "engine_invariants.h"

namespace tracewell::eval::fuzz {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputsIn(const fs::path& dir) {
    std::vector<fs::path> files;
    if (!fs::is_directory(dir)) return files;
    for (const fs::directory_entry& e : fs::directory_iterator(dir))
        if (e.is_regular_file()) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::uint8_t> bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void replay(const std::vector<fs::path>& files) {
    for (const fs::path& file : files)
        EXPECT_EQ(checkEngine(bytesOf(file)), "") << file.filename().string();
}

TEST(FuzzReplay, SeedCorpus) {
    const std::vector<fs::path> files = inputsIn(TRACEWELL_FUZZ_CORPUS);
    ASSERT_GE(files.size(), 30u) << "seed corpus missing from " << TRACEWELL_FUZZ_CORPUS;
    replay(files);
}

TEST(FuzzReplay, Regressions) {
    const std::vector<fs::path> files = inputsIn(TRACEWELL_FUZZ_REGRESSIONS);
    ASSERT_FALSE(files.empty()) << "no inputs in " << TRACEWELL_FUZZ_REGRESSIONS;
    replay(files);
}

}  // namespace
}  // namespace tracewell::eval::fuzz
