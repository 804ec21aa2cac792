#include "eval/cpu.h"

#include <cstdlib>

#include "eval/ascii.h"

namespace tracewell::eval {
namespace {

Isa detectBest() {
#if defined(TRACEWELL_AVX2_PATHS)
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
        __builtin_cpu_supports("avx512vl"))
        return Isa::Avx512;
    if (__builtin_cpu_supports("avx2")) return Isa::Avx2;
#endif
    return Isa::Plain;
}

}  // namespace

Isa bestIsa() {
    static const Isa best = detectBest();
    return best;
}

IsaChoice chooseIsa(std::string_view text, Isa best) {
    struct Level {
        std::string_view name, shown;
        Isa isa;
    };
    static constexpr Level levels[] = {{"plain", "plain", Isa::Plain},
                                       {"avx2", "AVX2", Isa::Avx2},
                                       {"avx512", "AVX-512", Isa::Avx512}};
    if (text.empty()) return {best, {}};
    const std::string asked = "TRACEWELL_ISA=" + std::string(text) + ": ";
    for (const Level& level : levels) {
        if (!ascii::equalsIgnoringCase(text, level.name)) continue;
        if (level.isa <= best) return {level.isa, {}};
#if defined(TRACEWELL_AVX2_PATHS)
        return {best, asked + "this processor has no " + std::string(level.shown)};
#else
        return {best, asked + "this build has only the plain loops"};
#endif
    }
    return {best, asked + "unknown level; give plain, avx2 or avx512"};
}

const IsaChoice& isaChoice() {
    static const IsaChoice choice = [] {
        const char* text = std::getenv("TRACEWELL_ISA");
        return chooseIsa(text ? text : "", bestIsa());
    }();
    return choice;
}

Isa isa() { return isaChoice().isa; }

}  // namespace tracewell::eval
