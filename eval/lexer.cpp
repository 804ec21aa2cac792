#include "lexer.h"

#include <charconv>
#include <cstdint>

#include "ascii.h"

namespace tracewell::eval {
namespace {

using ascii::equalsIgnoringCase;
using ascii::isDigit;
using ascii::isLetter;
using ascii::isNameChar;
using ascii::lower;

struct Keyword {
    std::string_view name;
    TokenKind kind;
};
constexpr Keyword kKeywords[] = {
    {"mod", TokenKind::Mod}, {"not", TokenKind::Not},   {"and", TokenKind::And},
    {"or", TokenKind::Or},   {"xor", TokenKind::Xor},   {"eqv", TokenKind::Eqv},
    {"imp", TokenKind::Imp}, {"true", TokenKind::True}, {"false", TokenKind::False},
};

// Whether a literal too large or too small for a double is too large: the power of ten of
// its first significant digit is positive.
bool overflows(std::string_view literal) {
    std::int64_t exponent = 0;
    const std::size_t e = literal.find_first_of("eE");
    if (e != std::string_view::npos) {
        std::size_t i = e + 1;
        const bool negative = i < literal.size() && literal[i] == '-';
        if (i < literal.size() && (literal[i] == '-' || literal[i] == '+')) ++i;
        for (; i < literal.size() && exponent < 1'000'000'000; ++i)
            exponent = exponent * 10 + (literal[i] - '0');
        if (negative) exponent = -exponent;
        literal = literal.substr(0, e);
    }
    const std::size_t point = std::min(literal.find('.'), literal.size());
    const std::size_t first = literal.find_first_of("123456789");
    if (first == std::string_view::npos) return false;
    const auto place = static_cast<std::int64_t>(point) - static_cast<std::int64_t>(first) -
                       (first < point ? 1 : 0);
    return exponent + place > 0;
}

}  // namespace

bool readDecimal(std::string_view literal, double& value) {
    const auto [end, ec] = std::from_chars(literal.data(), literal.data() + literal.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        if (overflows(literal)) return false;
        value = 0;  // a tiny literal underflows to zero
        return true;
    }
    return ec == std::errc();
}

Token Lexer::make(TokenKind kind, std::size_t start) {
    Token t;
    t.kind = kind;
    t.offset = start;
    t.text = src_.substr(start, pos_ - start);
    return t;
}

Token Lexer::error(const char* message, std::size_t start) {
    Token t = make(TokenKind::Error, start);
    t.message = message;
    return t;
}

Token Lexer::next() {
    while (pos_ < src_.size() && (src_[pos_] == ' ' || src_[pos_] == '\t')) ++pos_;
    const std::size_t start = pos_;
    if (pos_ >= src_.size()) return make(TokenKind::End, start);
    const char c = src_[pos_];
    if (isDigit(c) || (c == '.' && pos_ + 1 < src_.size() && isDigit(src_[pos_ + 1])))
        return number(start);
    if (isLetter(c)) return name(start);
    if (c == '&') return radixNumber(start);
    ++pos_;
    const char following = pos_ < src_.size() ? src_[pos_] : '\0';
    switch (c) {
        case '(':
            return make(TokenKind::LeftParen, start);
        case ')':
            return make(TokenKind::RightParen, start);
        case ',':
            return make(TokenKind::Comma, start);
        case '+':
            return make(TokenKind::Plus, start);
        case '-':
            return make(TokenKind::Minus, start);
        case '*':
            return make(TokenKind::Star, start);
        case '/':
            return make(TokenKind::Slash, start);
        case '\\':
            return make(TokenKind::Backslash, start);
        case '^':
            return make(TokenKind::Caret, start);
        case '=':
            return make(TokenKind::Equal, start);
        case '<':
            if (following == '>') return ++pos_, make(TokenKind::NotEqual, start);
            if (following == '=') return ++pos_, make(TokenKind::LessEqual, start);
            return make(TokenKind::Less, start);
        case '>':
            if (following == '=') return ++pos_, make(TokenKind::GreaterEqual, start);
            return make(TokenKind::Greater, start);
        case '"':
            return error("Strings are not supported", start);
        default:
            return error("Invalid character", start);
    }
}

Token Lexer::number(std::size_t start) {
    while (pos_ < src_.size() && isDigit(src_[pos_])) ++pos_;
    if (pos_ < src_.size() && src_[pos_] == '.') {
        ++pos_;
        while (pos_ < src_.size() && isDigit(src_[pos_])) ++pos_;
    }
    // An exponent only when digits follow the E: in "2Eqv 3" the E starts a keyword.
    if (pos_ < src_.size() && (src_[pos_] == 'e' || src_[pos_] == 'E')) {
        std::size_t p = pos_ + 1;
        if (p < src_.size() && (src_[p] == '+' || src_[p] == '-')) ++p;
        if (p < src_.size() && isDigit(src_[p])) {
            pos_ = p;
            while (pos_ < src_.size() && isDigit(src_[pos_])) ++pos_;
        }
    }
    Token t = make(TokenKind::Number, start);
    if (!readDecimal(t.text, t.number)) return error("Invalid number", start);
    return t;
}

// &H1F and &O17: up to 16 bits (4 hex digits, or an octal value up to &O177777) read as a
// signed 16-bit value, more as a signed 32-bit value; a trailing & always reads 32 bits.
Token Lexer::radixNumber(std::size_t start) {
    ++pos_;  // the &
    const char radixLetter = pos_ < src_.size() ? lower(src_[pos_]) : '\0';
    if (radixLetter != 'h' && radixLetter != 'o') return make(TokenKind::Ampersand, start);
    ++pos_;
    const int radix = radixLetter == 'h' ? 16 : 8;
    const std::size_t digitsStart = pos_;
    std::uint64_t value = 0;
    while (pos_ < src_.size()) {
        const char d = lower(src_[pos_]);
        int digit = -1;
        if (isDigit(d))
            digit = d - '0';
        else if (radix == 16 && d >= 'a' && d <= 'f')
            digit = d - 'a' + 10;
        if (digit < 0 || digit >= radix) break;
        if (value <= 0xFFFFFFFFull) value = value * radix + digit;
        ++pos_;
    }
    const std::size_t digits = pos_ - digitsStart;
    const bool long32 = pos_ < src_.size() && src_[pos_] == '&';
    if (long32) ++pos_;
    if (digits == 0 || value > 0xFFFFFFFFull || (radix == 16 && digits > 8))
        return error("Invalid number", start);
    const bool short16 = !long32 && (radix == 16 ? digits <= 4 : value <= 0xFFFF);
    Token t = make(TokenKind::Number, start);
    t.number = short16 ? static_cast<std::int16_t>(static_cast<std::uint16_t>(value))
                       : static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return t;
}

Token Lexer::name(std::size_t start) {
    while (pos_ < src_.size() && isNameChar(src_[pos_])) ++pos_;
    Token t = make(TokenKind::Name, start);
    for (const Keyword& k : kKeywords)
        if (equalsIgnoringCase(t.text, k.name)) t.kind = k.kind;
    return t;
}

}  // namespace tracewell::eval
