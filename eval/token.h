#pragma once
// The tokens of the expression language.

#include <cstdint>
#include <string_view>

namespace tracewell::eval {

enum class TokenKind : std::uint8_t {
    End,
    Number,
    Name,
    LeftParen,
    RightParen,
    Comma,
    Plus,
    Minus,
    Star,
    Slash,
    Backslash,
    Caret,
    Ampersand,  // string concatenation, which this engine does not offer
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    // Keywords (any letter case).
    Mod,
    Not,
    And,
    Or,
    Xor,
    Eqv,
    Imp,
    True,
    False,
    // The text cannot be read here; message says why.
    Error,
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text;          // the token as written
    std::size_t offset = 0;         // byte offset in the source
    double number = 0;              // the value of a Number
    const char* message = nullptr;  // why an Error token is one
};

}  // namespace tracewell::eval
