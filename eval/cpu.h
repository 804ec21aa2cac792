#pragma once
// Loops that gain from wider registers are compiled twice, once for every processor and once
// for x86-64 processors with AVX2, and the choice is made once at run time. The second copy
// exists only where the compiler can target AVX2 per function (GCC and clang on x86-64);
// elsewhere, or with TRACEWELL_PLAIN_PATHS defined, only the plain loops are built, and the
// tests that hold the two copies equal show what the plain ones compute.

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__)) && \
    !defined(TRACEWELL_PLAIN_PATHS)
#define TRACEWELL_AVX2_PATHS 1
#define TRACEWELL_TARGET_AVX2 [[gnu::target("avx2")]]
#else
#define TRACEWELL_TARGET_AVX2
#endif

namespace tracewell::eval {

// Whether the AVX2 copies exist in this build and the processor runs them.
bool hasAvx2();

}  // namespace tracewell::eval
