#pragma once
// How much memory the process holds: the resident set, and the heap blocks in use.

#include <cstdint>

namespace tracewell::stress {

struct MemoryFigures {
    std::int64_t residentBytes = 0;  // from /proc/self/statm, after returning free heap pages
    // Bytes in live heap blocks: malloc's own count, or AddressSanitizer's, which leaves out
    // the freed blocks it keeps in quarantine.
    std::int64_t heapBytes = 0;
};

MemoryFigures measureMemory();

}  // namespace tracewell::stress
