// libFuzzer entry: every byte string is expression text; a broken rule stops the run with
// the input saved as a crash.
#include <cstdio>

#include "engine_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string broken = tracewell::eval::fuzz::checkEngine({data, size});
    if (!broken.empty()) {
        std::fprintf(stderr, "engine rule broken: %s\n", broken.c_str());
        __builtin_trap();
    }
    return 0;
}
