#pragma once
// What to write in this language for the names and characters people bring from other
// plotters and from maths, so that a text that cannot be read can be answered with what to
// type instead. The language itself stays as it is: a hint teaches it, never rewrites a text.

#include <span>
#include <string>
#include <string_view>

#include "compiler.h"

namespace tracewell::eval {

struct Equivalent {
    std::string_view elsewhere;  // names, blank-separated and matched in any letter case; or
                                 // one character, in UTF-8
    std::string_view here;       // what this language writes instead
    std::string_view hint;       // the words a message adds
};

// sqrt, ln, pi, e, pow, ...: looked up by an unknown name.
std::span<const Equivalent> nameEquivalents();
// ², ×, ÷, |, ...: looked up by a character the language does not read.
std::span<const Equivalent> characterEquivalents();

// The hint for a character, e.g. "a square is x^2" for '²'; empty when there is none.
std::string_view characterHint(char32_t code);

// What to write instead, for a text that cannot be read: a name from elsewhere ("the square
// root is Sqr(x)"), a product without its * ("write 2*x"), a decimal comma ("write 1.5"), a
// character from elsewhere. Empty when none fits.
std::string hintFor(std::string_view text, const CompileError& error);

}  // namespace tracewell::eval
