#include "eval/cpu.h"

namespace tracewell::eval {

bool hasAvx2() {
#if defined(TRACEWELL_AVX2_PATHS)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2;
#else
    return false;
#endif
}

}  // namespace tracewell::eval
