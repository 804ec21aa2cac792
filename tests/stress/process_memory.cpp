#include "process_memory.h"

#include <malloc.h>
#include <unistd.h>

#include <cstddef>
#include <fstream>

#include "sanitized.h"

extern "C" std::size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

namespace tracewell::stress {

MemoryFigures measureMemory() {
    MemoryFigures f;
    if constexpr (kSanitized) {
        if (__sanitizer_get_current_allocated_bytes)
            f.heapBytes = static_cast<std::int64_t>(__sanitizer_get_current_allocated_bytes());
    } else {
        malloc_trim(0);
        const struct mallinfo2 info = mallinfo2();
        f.heapBytes = static_cast<std::int64_t>(info.uordblks + info.hblkhd);
    }
    std::ifstream statm("/proc/self/statm");
    std::int64_t pages = 0, residentPages = 0;
    statm >> pages >> residentPages;
    f.residentBytes = residentPages * sysconf(_SC_PAGESIZE);
    return f;
}

}  // namespace tracewell::stress
