#pragma once
// The rules the expression engine keeps for every text it is given. The fuzzer stops on the
// first broken one; the replay test runs its seeds and old findings through the same rules.

#include <cstdint>
#include <span>
#include <string>

namespace tracewell::eval::fuzz {

// Reads the bytes as expression text, compiles it and, when it compiles, evaluates it one
// sample at a time and in batches; the input's last four bytes also give one x value.
// Returns what went wrong, or an empty string when every rule held.
std::string checkEngine(std::span<const std::uint8_t> input);

}  // namespace tracewell::eval::fuzz
