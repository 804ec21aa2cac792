#pragma once
// Loops that gain from wider registers are compiled twice, once for every x86-64 processor
// and once for those with AVX2, and the choice is made once at run time.

namespace tracewell::eval {

bool hasAvx2();

}  // namespace tracewell::eval

#if defined(__x86_64__)
#define TRACEWELL_TARGET_AVX2 [[gnu::target("avx2")]]
#else
#define TRACEWELL_TARGET_AVX2
#endif
