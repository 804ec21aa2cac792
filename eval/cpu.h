#pragma once
// Loops that gain from wider registers are compiled three times: for every processor, for
// x86-64 processors with AVX2 and for those with AVX-512; the choice is made once at run
// time. The wider copies exist only where the compiler can target them per function (GCC and
// clang on x86-64); elsewhere, or with TRACEWELL_PLAIN_PATHS defined, only the plain loops are
// built, and the tests that hold the copies equal show what the plain ones compute. The
// engine is compiled with -ffp-contract=off, so no copy fuses a multiply and an add into
// one rounding: every copy gives the same bits.

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__)) && \
    !defined(TRACEWELL_PLAIN_PATHS)
#define TRACEWELL_AVX2_PATHS 1
#define TRACEWELL_TARGET_AVX2 [[gnu::target("avx2")]]
#define TRACEWELL_TARGET_AVX512 [[gnu::target("avx512f,avx512dq,avx512vl")]]
#else
#define TRACEWELL_TARGET_AVX2
#define TRACEWELL_TARGET_AVX512
#endif

namespace tracewell::eval {

// Whether the AVX2 copies exist in this build and the processor runs them.
bool hasAvx2();
// Whether the AVX-512 copies exist in this build and the processor runs them.
bool hasAvx512();

}  // namespace tracewell::eval
