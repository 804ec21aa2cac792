#pragma once
// Splits expression text into tokens, one at a time.

#include <string_view>

#include "token.h"

namespace tracewell::eval {

class Lexer {
public:
    explicit Lexer(std::string_view source) : src_(source) {}
    Token next();

private:
    Token make(TokenKind kind, std::size_t start);
    Token error(const char* message, std::size_t start);
    Token number(std::size_t start);
    Token radixNumber(std::size_t start);
    Token name(std::size_t start);

    std::string_view src_;
    std::size_t pos_ = 0;
};

// Reads a decimal literal such as "10", ".5", "1.5E+2"; false when it is beyond the double
// range. Exposed for the tests.
bool readDecimal(std::string_view literal, double& value);

}  // namespace tracewell::eval
