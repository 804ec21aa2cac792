#pragma once
// Every operation and function of the language, one at a time: each as a text for the engine
// and as the same operation in a fused loop, compiled as bench/fused_loops.cpp is, so that
// what each one costs can be set beside the limit in one run.

#include <cstddef>
#include <span>

#include "bench/fused_loops.h"

namespace tracewell::bench {

struct OperationLoop {
    const char*
        text;  // one operation on x (and a constant), or a few where the table has them
    FusedLoop fused;
};

std::span<const OperationLoop> operationLoops();

}  // namespace tracewell::bench
