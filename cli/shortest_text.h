#pragma once
// Shortest decimal texts: the fewest digits that read back as the same number.

#include <charconv>
#include <string>

namespace tracewell::cli {

template <class Number>
std::string shortestText(Number v) {
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, result.ptr);
}

}  // namespace tracewell::cli
