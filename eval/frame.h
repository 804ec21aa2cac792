#pragma once
// The registers of a running program: one block of samples per stack slot.

#include <cstddef>

namespace tracewell::eval {

// Samples evaluated together. Large enough that each instruction's dispatch is paid rarely,
// small enough that the whole stack stays in the first-level cache.
constexpr int kBlock = 256;

struct Frame {
    double* bottom;    // slot 0, where the result ends: the caller's output for a batch
    double* regs;      // slot s > 0 holds regs[s * kBlock .. s * kBlock + n)
    const double* x;   // the block's x values
    int n;             // samples in this block, 1..kBlock
    int sp = 0;        // stack slots in use
    unsigned bad = 0;  // set when a value that is not finite may have been hidden

    double* slot(int s) const {
        return s == 0 ? bottom : regs + static_cast<std::ptrdiff_t>(s) * kBlock;
    }
};

}  // namespace tracewell::eval
