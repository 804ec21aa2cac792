// libFuzzer entry: every byte string becomes an expression from the grammar and a few x
// values; a disagreement with the reference evaluator stops the run with the input saved.
#include <cstdio>

#include "differential.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tracewell::eval::fuzz;
    const std::string broken = checkAgainstReference(generateCase({data, size}));
    if (!broken.empty()) {
        std::fprintf(stderr, "engine and reference disagree: %s\n", broken.c_str());
        __builtin_trap();
    }
    return 0;
}
