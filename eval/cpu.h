#pragma once
// Loops that gain from wider registers are compiled three times: for every processor, for
// x86-64 processors with AVX2 and for those with AVX-512. Which copies run is decided once,
// by isa(), and every fast path reads that one answer. The wider copies exist only where the
// compiler can target them per function (GCC and clang on x86-64); elsewhere, or with
// TRACEWELL_PLAIN_PATHS defined, only the plain loops are built, and the tests that hold the
// copies equal show what the plain ones compute. The engine is compiled with
// -ffp-contract=off, so no copy fuses a multiply and an add into one rounding: every copy
// gives the same bits.

#include <string>
#include <string_view>

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

// The instruction-set levels the fast paths are built for, in rising order.
enum class Isa { Plain, Avx2, Avx512 };

// The best level this build has copies for and this processor runs.
Isa bestIsa();

struct IsaChoice {
    Isa isa = Isa::Plain;
    std::string refusal;  // why the asked level cannot be had; empty when it can
};

// The level a TRACEWELL_ISA value asks for ("plain", "avx2" or "avx512", in any case; empty
// asks for best), or, with best in isa, the reason it is refused: a level above best, or
// unknown text.
IsaChoice chooseIsa(std::string_view text, Isa best);

// chooseIsa() for the environment's TRACEWELL_ISA on this processor, read once.
const IsaChoice& isaChoice();

// The level every fast path runs. Where TRACEWELL_ISA is refused, the best level: the
// programs refuse to start then (isaChoice().refusal), while a library or test carries on.
Isa isa();

// The copy of a function for the level in use, from its copies for each level.
template <class F>
F forIsa(F plain, F avx2, F avx512) {
    switch (isa()) {
        case Isa::Avx512:
            return avx512;
        case Isa::Avx2:
            return avx2;
        case Isa::Plain:
            break;
    }
    return plain;
}

}  // namespace tracewell::eval
