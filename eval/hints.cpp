#include "hints.h"

#include "ascii.h"

namespace tracewell::eval {
namespace {

using ascii::equalsIgnoringCase;
using ascii::isDigit;
using ascii::isLetter;
using ascii::isNameChar;

constexpr Equivalent kNames[] = {
    {"sqrt", "Sqr(x)", "the square root is Sqr(x)"},
    {"ln", "Log(x)", "the natural logarithm is Log(x)"},
    {"lg log10", "Log(x)/Log(10)", "the common logarithm is Log(x)/Log(10)"},
    {"log2", "Log(x)/Log(2)", "the binary logarithm is Log(x)/Log(2)"},
    {"pi", "4*Atn(1)", "pi is 4*Atn(1)"},
    {"e", "Exp(1)", "e is Exp(1), and e^x is Exp(x)"},
    {"tg", "Tan(x)", "the tangent is Tan(x)"},
    {"ctg cot cotan", "1/Tan(x)", "the cotangent is 1/Tan(x)"},
    {"arctg atan arctan", "Atn(x)", "the arctangent is Atn(x)"},
    {"arcctg acot arccot", "2*Atn(1)-Atn(x)", "the arccotangent is 2*Atn(1)-Atn(x)"},
    {"asin arcsin", "Atn(x/Sqr(1-x^2))", "the arcsine is Atn(x/Sqr(1-x^2))"},
    {"acos arccos", "2*Atn(1)-Atn(x/Sqr(1-x^2))", "the arccosine is 2*Atn(1)-Atn(x/Sqr(1-x^2))"},
    {"sinh sh", "(Exp(x)-Exp(-x))/2", "the hyperbolic sine is (Exp(x)-Exp(-x))/2"},
    {"cosh ch", "(Exp(x)+Exp(-x))/2", "the hyperbolic cosine is (Exp(x)+Exp(-x))/2"},
    {"tanh th", "(Exp(x)-Exp(-x))/(Exp(x)+Exp(-x))",
     "the hyperbolic tangent is (Exp(x)-Exp(-x))/(Exp(x)+Exp(-x))"},
    {"floor", "Int(x)", "rounding down is Int(x)"},
    {"ceil ceiling", "-Int(-x)", "rounding up is -Int(-x)"},
    {"trunc", "Fix(x)", "rounding toward zero is Fix(x)"},
    {"sign signum", "Sgn(x)", "the sign is Sgn(x)"},
    {"fabs", "Abs(x)", "the absolute value is Abs(x)"},
    {"pow", "a^b", "a power is a^b"},
    {"mod fmod", "(a)Mod(b)", "the remainder is (a)Mod(b)"},
    {"X", "x", "the variable is the lower-case x"},
};

constexpr Equivalent kCharacters[] = {
    {"²", "x^2", "a square is x^2"},
    {"³", "x^3", "a cube is x^3"},
    {"×", "*", "the multiplication sign is *"},
    {"·", "*", "the multiplication sign is *"},
    {"⋅", "*", "the multiplication sign is *"},
    {"÷", "/", "the division sign is /"},
    {"−", "-", "the minus sign is -"},
    {"–", "-", "the minus sign is -"},
    {"|", "Abs(x)", "the absolute value is Abs(x)"},
    {"π", "4*Atn(1)", "pi is 4*Atn(1)"},
    {"√", "Sqr(x)", "the square root is Sqr(x)"},
    {"х", "x", "the variable is the Latin x"},  // Cyrillic, as a Russian keyboard types it
    {"Х", "x", "the variable is the Latin lower-case x"},
};

// A name that starts with a keyword follows a number without being a factor: "2Mod3".
constexpr std::string_view kKeywords[] = {"mod", "not", "and",  "or",   "xor",
                                          "eqv", "imp", "true", "false"};

constexpr std::size_t kNone = std::string_view::npos;

// The byte offset of the character at a 1-based character position, or the text's size.
std::size_t offsetOf(std::string_view text, int position) {
    int seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && ++seen == position) return i;
    return text.size();
}

// The UTF-8 character at offset; U+FFFD where there is none.
char32_t codeAt(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u;
    };
    const unsigned lead = byte(at);
    const int more = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (at >= text.size() || more < 0) return 0xFFFD;
    char32_t code = more == 0 ? lead : lead & (0x3Fu >> more);
    for (int k = 1; k <= more; ++k) {
        const unsigned b = byte(at + k);
        if ((b & 0xC0) != 0x80) return 0xFFFD;
        code = (code << 6) | (b & 0x3F);
    }
    return code;
}

std::string_view nameAt(std::string_view text, std::size_t at) {
    if (at >= text.size() || !isLetter(text[at])) return {};
    std::size_t end = at;
    while (end < text.size() && isNameChar(text[end])) ++end;
    return text.substr(at, end - at);
}

const Equivalent* findName(std::string_view name) {
    for (const Equivalent& row : kNames) {
        std::string_view names = row.elsewhere;
        while (!names.empty()) {
            const std::size_t blank = names.find(' ');
            if (equalsIgnoringCase(names.substr(0, blank), name)) return &row;
            names = blank == kNone ? std::string_view() : names.substr(blank + 1);
        }
    }
    return nullptr;
}

// One past the ')' that closes the '(' at open; kNone when nothing closes it.
std::size_t pastClosing(std::string_view text, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        depth += text[i] == '(' ? 1 : text[i] == ')' ? -1 : 0;
        if (depth == 0) return i + 1;
    }
    return kNone;
}

// The '(' that the ')' at close closes; kNone when there is none.
std::size_t opening(std::string_view text, std::size_t close) {
    int depth = 0;
    for (std::size_t i = close + 1; i-- > 0;) {
        depth += text[i] == ')' ? 1 : text[i] == '(' ? -1 : 0;
        if (depth == 0) return i;
    }
    return kNone;
}

// The factor that ends just before end: a number, or a bracket with the name of the function
// before it. Empty when something else stands there.
std::string_view factorBefore(std::string_view text, std::size_t end) {
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    if (end == 0) return {};
    std::size_t start = end;
    if (text[end - 1] == ')') {
        start = opening(text, end - 1);
        if (start == kNone) return {};
        while (start > 0 && isNameChar(text[start - 1])) --start;
        return text.substr(start, end - start);
    }
    while (start > 0 &&
           (isNameChar(text[start - 1]) || text[start - 1] == '.' || text[start - 1] == '&'))
        --start;
    if (start == end || !(isDigit(text[start]) || text[start] == '.' || text[start] == '&'))
        return {};
    return text.substr(start, end - start);
}

// The factor that starts at start: a name (with its bracket, if one follows) or a bracket,
// up to the end of the text where nothing closes it.
std::string_view factorFrom(std::string_view text, std::size_t start) {
    std::size_t end = start;
    if (const std::string_view name = nameAt(text, start); !name.empty()) {
        for (std::string_view keyword : kKeywords)
            if (equalsIgnoringCase(name.substr(0, keyword.size()), keyword)) return {};
        end += name.size();
        if (end >= text.size() || text[end] != '(') return name;
    } else if (start >= text.size() || text[start] != '(') {
        return {};
    }
    end = pastClosing(text, end);
    return text.substr(start, end == kNone ? kNone : end - start);
}

// "2x", "2sin(x)", "(x+1)(x-1)" and "x(x+1)" are products without their *.
std::string missingProduct(std::string_view text, std::size_t at) {
    std::string_view left, right;
    if (nameAt(text, at) == "x" && at + 1 < text.size() && text[at + 1] == '(') {
        left = "x";
        right = factorFrom(text, at + 1);
    } else {
        left = factorBefore(text, at);
        if (left.empty()) return {};
        right = factorFrom(text, at);
    }
    if (right.empty()) return {};
    if (left.size() + right.size() > 30) return "write * between factors, as in 2*x";
    return "write " + std::string(left) + "*" + std::string(right);
}

// "1,5": the first number with a comma for its point, from `from` on.
std::string decimalComma(std::string_view text, std::size_t from, bool onlyThere) {
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == ',' && i > 0 && isDigit(text[i - 1]) && i + 1 < text.size() &&
            isDigit(text[i + 1])) {
            std::size_t start = i, end = i + 1;
            while (start > 0 && isDigit(text[start - 1])) --start;
            while (end < text.size() && isDigit(text[end])) ++end;
            std::string number(text.substr(start, end - start));
            number[i - start] = '.';
            return "the decimal separator is a point: write " + number;
        }
        if (onlyThere) break;
    }
    return {};
}

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::span<const Equivalent> nameEquivalents() { return kNames; }
std::span<const Equivalent> characterEquivalents() { return kCharacters; }

std::string_view characterHint(char32_t code) {
    for (const Equivalent& row : kCharacters)
        if (codeAt(row.elsewhere, 0) == code) return row.hint;
    return {};
}

std::string hintFor(std::string_view text, const CompileError& error) {
    const std::size_t at = offsetOf(text, error.position);
    const std::string_view message = error.message;
    if (message == "Syntax error" || message == "Expected ')'" ||
        message == "Unknown function 'x'") {
        if (std::string product = missingProduct(text, at); !product.empty()) return product;
    }
    // "mod(x,3)" begins with the keyword Mod, where an operand was expected.
    if (startsWith(message, "Unknown ") || message == "Expected expression") {
        if (const Equivalent* row = findName(nameAt(text, at))) return std::string(row->hint);
    }
    if (message == "Syntax error") return decimalComma(text, at, true);
    if (startsWith(message, "Wrong number of arguments")) {
        const std::size_t open = text.find('(', at);
        const std::size_t end = open == kNone ? kNone : pastClosing(text, open);
        return decimalComma(text.substr(0, end), at, false);
    }
    if (message == "Invalid character") return std::string(characterHint(codeAt(text, at)));
    return {};
}

}  // namespace tracewell::eval
