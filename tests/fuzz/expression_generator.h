#pragma once
// Turns fuzzer bytes into a readable expression and the x values a plot can give it, so that
// every input reaches evaluation: every operator, function, literal form and sign rule of
// the language can come out.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tracewell::eval::fuzz {

struct GeneratedCase {
    std::string text;
    std::vector<double> xs;  // as the plot hands them over: single x read back from its text
};

GeneratedCase generateCase(std::span<const std::uint8_t> bytes);

}  // namespace tracewell::eval::fuzz
