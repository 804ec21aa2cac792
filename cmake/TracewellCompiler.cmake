# Refuses, at configure time, a compiler that cannot build the program, rather than letting
# the build fail halfway with an error about some header.
#
# What the code needs: C++20 with its library (std::span, std::bit_cast), floating-point
# std::from_chars and std::to_chars (the number reader and the tables), and the GNU vector
# extensions (vectors of doubles with lane-wise arithmetic and subscripts) for the loops the
# engine writes per register width. GCC has all of them from version 11 (floating-point
# <charconv> and std::bit_cast arrived there). Clang 14 is the oldest clang the project is
# built and tested with, so an older one is refused rather than trusted. Any other compiler
# is taken if it compiles the probe below, which a compiler with old headers fails too.
include(CheckCXXSourceCompiles)

set(tracewell_compiler_floor_GNU 11)
set(tracewell_compiler_floor_Clang 14)
set(tracewell_compiler_needs
    "Tracewell needs GCC ${tracewell_compiler_floor_GNU} or later or clang "
    "${tracewell_compiler_floor_Clang} or later: C++20 with std::span and std::bit_cast, "
    "floating-point std::from_chars/std::to_chars, and the GNU vector extensions")
string(JOIN "" tracewell_compiler_needs ${tracewell_compiler_needs})

string(REPLACE "GNU" "GCC" tracewell_compiler "${CMAKE_CXX_COMPILER_ID}")
string(APPEND tracewell_compiler " ${CMAKE_CXX_COMPILER_VERSION}")
set(tracewell_floor ${tracewell_compiler_floor_${CMAKE_CXX_COMPILER_ID}})
if(tracewell_floor AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS tracewell_floor)
    message(FATAL_ERROR "${tracewell_compiler} is too old. ${tracewell_compiler_needs}.")
endif()

# The check compiles with the project's CMAKE_CXX_STANDARD.
check_cxx_source_compiles([[
#include <bit>
#include <charconv>
#include <cstdint>
#include <span>
typedef double V4 __attribute__((vector_size(32)));
int main() {
    double d = 0;
    char text[32] = "1.5";
    std::from_chars(text, text + 3, d);
    std::to_chars(text, text + sizeof text, d);
    V4 v = {d, 1, 2, 3};
    v = v * v + v;
    const std::span<const char> all(text);
    return static_cast<int>(v[1] + all[0]) + static_cast<int>(std::bit_cast<std::uint64_t>(d));
}
]] TRACEWELL_COMPILER_SUFFICES)
if(NOT TRACEWELL_COMPILER_SUFFICES)
    message(FATAL_ERROR "${tracewell_compiler} cannot compile what the program needs. "
                        "${tracewell_compiler_needs}.")
endif()
