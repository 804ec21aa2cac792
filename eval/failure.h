#pragma once
// Why one sample of an expression has no value.

#include <cstdint>
#include <string_view>

namespace tracewell::eval {

enum class Failure : std::uint8_t {
    None,
    InvalidArgument,  // Log of a value <= 0, Sqr of a negative, (-8)^(1/3), Round with digits < 0
    DivisionByZero,   // /, \ or Mod by zero; 0 raised to a negative power
    Overflow,         // beyond the double range, 0/0, integer operands beyond their width
};

constexpr std::string_view failureName(Failure f) {
    switch (f) {
        case Failure::None:
            return "none";
        case Failure::InvalidArgument:
            return "invalid argument";
        case Failure::DivisionByZero:
            return "division by zero";
        case Failure::Overflow:
            return "overflow";
    }
    return "unknown";
}

}  // namespace tracewell::eval
