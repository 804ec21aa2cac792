// Reading TRACEWELL_ISA: the level it forces, or why it is refused.
#include <gtest/gtest.h>

#include "eval/cpu.h"

namespace tracewell::eval {
namespace {

TEST(IsaChoice, TheVariableForcesALevelTheProcessorHas) {
#if defined(TRACEWELL_AVX2_PATHS)
    const std::string noAvx512 = "this processor has no AVX-512",
                      noAvx2 = "this processor has no AVX2";
#else
    const std::string noAvx512 = "this build has only the plain loops", noAvx2 = noAvx512;
#endif
    const std::string unknown = "unknown level; give plain, avx2 or avx512";
    struct Row {
        const char* text;
        Isa best, chosen;
        std::string refusal;
    } rows[] = {
        {"", Isa::Avx512, Isa::Avx512, ""},
        {"", Isa::Plain, Isa::Plain, ""},
        {"plain", Isa::Avx512, Isa::Plain, ""},
        {"avx2", Isa::Avx512, Isa::Avx2, ""},
        {"AVX512", Isa::Avx512, Isa::Avx512, ""},
        {"avx512", Isa::Avx2, Isa::Avx2, "TRACEWELL_ISA=avx512: " + noAvx512},
        {"avx2", Isa::Plain, Isa::Plain, "TRACEWELL_ISA=avx2: " + noAvx2},
        {"sse2", Isa::Avx2, Isa::Avx2, "TRACEWELL_ISA=sse2: " + unknown},
        {"avx2 ", Isa::Avx512, Isa::Avx512, "TRACEWELL_ISA=avx2 : " + unknown},
    };
    for (const Row& row : rows) {
        const IsaChoice c = chooseIsa(row.text, row.best);
        EXPECT_EQ(c.isa, row.chosen) << row.text;
        EXPECT_EQ(c.refusal, row.refusal) << row.text;
    }
}

// A configure check that fails for a reason of its own (a misspelt name, say) would quietly put
// every transcendental function on the scalar path; glibc has had all of them since 2.35.
TEST(IsaChoice, TheCLibrarysVectorFunctionsAreCalledWhereItHasThem) {
#if defined(__x86_64__) && defined(__GLIBC__) && (__GLIBC__ > 2 || __GLIBC_MINOR__ >= 35) && \
    !defined(TRACEWELL_HAVE_LIBMVEC)
    FAIL() << "glibc " << __GLIBC__ << "." << __GLIBC_MINOR__ << " has libmvec, but the build "
           << "found none: see cmake/TracewellLibmvec.cmake";
#endif
}

}  // namespace
}  // namespace tracewell::eval
