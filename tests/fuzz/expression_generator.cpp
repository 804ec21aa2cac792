#include "expression_generator.h"

#include <cctype>
#include <cstdio>
#include <string_view>

#include "eval/x_text.h"

namespace tracewell::eval::fuzz {
namespace {

constexpr int kMaxDepth = 7;
constexpr std::size_t kXBytes = 3;
constexpr int kDrawnXs = 4;

class Source {
public:
    Source(std::span<const std::uint8_t> b, std::size_t end) : b_(b), end_(end) {}
    std::uint8_t next() { return pos_ < end_ ? b_[pos_++] : 0; }
    int pick(int n) { return next() % n; }
    bool done() const { return pos_ >= end_; }

private:
    std::span<const std::uint8_t> b_;
    std::size_t pos_ = 0;
    std::size_t end_;
};

// A piece of text and how loosely it binds: 0 a primary, 1 ^, 2 a sign, 3 * and /, 4 \,
// 5 Mod, 6 + and -, 8 comparisons, 9 Not, 10 to 14 And, Or, Xor, Eqv, Imp.
struct Piece {
    std::string text;
    int level = 0;
    bool signedExponent = false;  // ends in ^-a: another ^ after it would read differently
};

std::string within(const Piece& p, int level) {
    return p.level <= level && !p.signedExponent ? p.text : "(" + p.text + ")";
}

// Keywords and function names in any letter case.
std::string anyCase(std::string_view word, Source& s) {
    std::string out(word);
    const int bits = s.next();
    for (std::size_t i = 0; i < out.size(); ++i)
        if ((bits >> (i % 8) & 1) && std::isalpha(static_cast<unsigned char>(out[i])))
            out[i] = static_cast<char>(out[i] ^ 0x20);
    return out;
}

std::string signs(Source& s) {
    std::string out;
    const int n = 1 + s.pick(3);
    for (int i = 0; i < n; ++i) out += s.pick(3) == 0 ? '+' : '-';
    return out;
}

std::string digits(Source& s, int most) {
    std::string out = std::to_string(s.next() % 10);
    const int n = s.pick(most);
    for (int i = 0; i < n; ++i) out += static_cast<char>('0' + s.next() % 10);
    return out;
}

std::string radix(Source& s, bool hex, bool wide) {
    std::uint32_t v = 0;
    const int bytes = 1 + s.pick(wide ? 4 : 2);
    for (int i = 0; i < bytes; ++i) v = v << 8 | s.next();
    char buf[32];
    std::snprintf(buf, sizeof buf, hex ? "%X" : "%o", v);  // no leading zeros
    return anyCase(hex ? "&h" : "&o", s) + anyCase(buf, s) + (wide && s.pick(2) ? "&" : "");
}

std::string literal(Source& s) {
    switch (s.pick(10)) {
        case 0:
            return (s.pick(4) ? "" : "0") + digits(s, 3);  // 010 is ten
        case 1:
            return digits(s, 3) + "." + digits(s, 4);
        case 2:
            return "." + digits(s, 4);
        case 3:
            return digits(s, 2) + ".";
        case 4:
        case 5: {
            const char* sign[] = {"", "+", "-"};
            return (s.pick(2) ? digits(s, 2) : digits(s, 1) + "." + digits(s, 3)) +
                   (s.pick(2) ? "E" : "e") + sign[s.pick(3)] + std::to_string(s.pick(40));
        }
        case 6:
            return radix(s, true, s.pick(2));
        case 7:
            return radix(s, false, s.pick(2));
        case 8:
            return anyCase(s.pick(2) ? "true" : "false", s);
        default:
            return digits(s, 14);  // past 32 bits
    }
}

struct Binary {
    const char* op;
    int level;
};
constexpr Binary kBinary[] = {{"^", 1},    {"*", 3},    {"/", 3},   {"\\", 4},   {"mod", 5},
                              {"+", 6},    {"-", 6},    {"=", 8},   {"<>", 8},   {"<", 8},
                              {">", 8},    {"<=", 8},   {">=", 8},  {"and", 10}, {"or", 11},
                              {"xor", 12}, {"eqv", 13}, {"imp", 14}};

constexpr std::string_view kFunctions[] = {"sin",  "cos",  "tan",  "atn",  "log",  "exp",
                                           "abs",  "sqr",  "sgn",  "int",  "fix",  "round",
                                           "cint", "clng", "csng", "cdbl", "cbool"};

Piece expression(Source& s, int depth);

Piece binary(Source& s, int depth) {
    const Binary& b = kBinary[s.pick(std::size(kBinary))];
    const Piece l = expression(s, depth - 1), r = expression(s, depth - 1);
    if (b.level == 1) {
        // The exponent may carry signs: 2^-x.
        if (s.pick(3) == 0) return {within(l, 1) + "^" + signs(s) + within(r, 0), 1, true};
        return {within(l, 1) + "^" + within(r, 0), 1};
    }
    const bool keyword = b.op[0] >= 'a';
    const std::string op = keyword          ? " " + anyCase(b.op, s) + " "
                           : s.pick(4) == 0 ? std::string(" ") + b.op + " "
                                            : std::string(b.op);
    // Left to right: the right operand binds tighter than the operator.
    return {within(l, b.level) + op + within(r, b.level - 1), b.level};
}

// Powers with the exponents and bases that have forms of their own, their neighbours and the
// edges of the double range: one binary operator in eighteen is too rare for them.
Piece power(Source& s, int depth) {
    static constexpr const char* kExponents[] = {"2",   "3",   "4",     "-1",    "-2", "-3",
                                                 "0.5", "1.5", "(1/3)", "-0.5",  "10", "0",
                                                 "1",   "5",   "1024",  "-1075", "2.5"};
    static constexpr const char* kBases[] = {"2", "10", "(-2)", "0.5", "0", "(-0.5)", "1", "x"};
    const Piece p = expression(s, depth - 1);
    if (s.pick(3)) {
        const char* e = kExponents[s.pick(std::size(kExponents))];
        return {within(p, 1) + "^" + e, 1, e[0] == '-'};
    }
    return {std::string(kBases[s.pick(std::size(kBases))]) + "^" + within(p, 0), 1};
}

Piece call(Source& s, int depth) {
    const std::string_view name = kFunctions[s.pick(std::size(kFunctions))];
    std::string text = anyCase(name, s) + (s.pick(4) == 0 ? " (" : "(");
    text += expression(s, depth - 1).text;
    if (name == "round" && s.pick(2)) text += "," + expression(s, depth - 1).text;
    return {text + ")", 0};
}

Piece expression(Source& s, int depth) {
    if (depth == 0 || s.done()) return {s.pick(3) ? "x" : literal(s), 0};
    switch (s.pick(9)) {
        case 0:
            return {"x", 0};
        case 1:
            return {literal(s), 0};
        case 2:
        case 3:
            return binary(s, depth);
        case 4:
            return {signs(s) + within(expression(s, depth - 1), 2), 2};
        case 5:
            return {anyCase("not", s) + " " + within(expression(s, depth - 1), 9), 9};
        case 6:
            return call(s, depth);
        case 7:
            return power(s, depth);
        default:
            return {"(" + expression(s, depth - 1).text + ")", 0};
    }
}

// A single x as a plot can reach it, read back the way the expression sees it.
double drawnX(Source& s) {
    static constexpr float kNotable[] = {0, 50, -50, 10, -10, 0.5f, -2.5f, 1, -1, 8e-5f};
    const int mode = s.pick(4), hi = s.next(), lo = s.next();
    const int k = hi << 8 | lo;
    float x = 0;
    switch (mode) {
        case 0:
            x = -50.0f + static_cast<float>(k) * 0.00008f;  // near the left end, finest step
            break;
        case 1:
            x = static_cast<float>(static_cast<std::int16_t>(k)) / 655.36f;  // anywhere in range
            break;
        case 2:
            x = kNotable[k % std::size(kNotable)];
            break;
        default:
            x = static_cast<float>(static_cast<std::int16_t>(k)) * 1e-7f;  // near zero
    }
    return xValue(x);
}

}  // namespace

GeneratedCase generateCase(std::span<const std::uint8_t> bytes) {
    GeneratedCase c;
    const std::size_t xBytes = bytes.size() >= 4 * kXBytes * kDrawnXs ? kXBytes * kDrawnXs : 0;
    Source text(bytes, bytes.size() - xBytes);
    if (!bytes.empty()) c.text = expression(text, kMaxDepth).text;
    c.xs = {xValue(-10.0f), 0.0};  // the usual first sample, and the first with "sqr"
    Source xs(bytes.subspan(bytes.size() - xBytes), xBytes);
    for (std::size_t i = 0; i < xBytes / kXBytes; ++i) c.xs.push_back(drawnX(xs));
    return c;
}

}  // namespace tracewell::eval::fuzz
