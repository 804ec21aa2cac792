#pragma once
// The sampling step of each precision level. The steps are the singles nearest to 0.1, 0.05,
// 0.01, 0.005, 0.002, 0.0007, 0.0003 and 0.00008, given by their bits so that no compiler
// rounding can move them. Odd levels and levels outside 0..14 have no step.

#include <bit>
#include <cstdint>
#include <optional>

namespace tracewell::plot {

struct StepTable {
    static constexpr int kFinestLevel = 14;
    static constexpr std::uint32_t kBits[] = {0x3DCCCCCD, 0x3D4CCCCD, 0x3C23D70A, 0x3BA3D70A,
                                              0x3B03126F, 0x3A378034, 0x399D4952, 0x38A7C5AC};

    static constexpr std::optional<float> stepFor(int level) {
        if (level < 0 || level > kFinestLevel || level % 2 != 0) return std::nullopt;
        return std::bit_cast<float>(kBits[level / 2]);
    }
};

}  // namespace tracewell::plot
