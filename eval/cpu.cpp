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

bool hasAvx512() {
#if defined(TRACEWELL_AVX2_PATHS)
    static const bool avx512 = __builtin_cpu_supports("avx512f") &&
                               __builtin_cpu_supports("avx512dq") &&
                               __builtin_cpu_supports("avx512vl");
    return avx512;
#else
    return false;
#endif
}

}  // namespace tracewell::eval
