#pragma once
// Whether the C library's vector functions (libmvec) are called: they follow the x86-64 vector
// ABI of glibc; where there is no such library, or only plain paths are wanted, the scalar
// functions serve.

#include "cpu.h"  // whether the wider paths exist

#if defined(TRACEWELL_AVX2_PATHS) && defined(TRACEWELL_HAVE_LIBMVEC)
#include <immintrin.h>
#define TRACEWELL_LIBMVEC 1
#endif
