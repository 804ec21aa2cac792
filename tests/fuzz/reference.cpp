#include "reference.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <string>

namespace tracewell::eval::reference {

// Operators and functions by their lower-case names; "neg" is the unary minus.
struct Node {
    std::string op;  // empty: a number; "x": the variable
    double number = 0;
    std::vector<std::unique_ptr<Node>> args;
};

namespace {

using NodePtr = std::unique_ptr<Node>;

NodePtr make(std::string op, std::vector<NodePtr> args = {}) {
    auto n = std::make_unique<Node>();
    n->op = std::move(op);
    n->args = std::move(args);
    return n;
}

NodePtr number(double v) {
    auto n = std::make_unique<Node>();
    n->number = v;
    return n;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// A recursive descent over the operator levels, loosest first. Any text it cannot read
// makes the whole parse fail.
class Parser {
public:
    explicit Parser(std::string_view text) : s_(text) {}

    std::optional<NodePtr> all() {
        skipBlanks();
        if (pos_ == s_.size()) return NodePtr{};
        NodePtr e = logic(0);
        skipBlanks();
        if (failed_ || pos_ != s_.size()) return std::nullopt;
        return e;
    }

private:
    static constexpr const char* kLogic[] = {"imp", "eqv", "xor", "or", "and"};

    void skipBlanks() {
        while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t')) ++pos_;
    }
    bool isNameChar(std::size_t i) const {
        return i < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[i])) || s_[i] == '_');
    }
    // The next name, without taking it.
    std::string peekName() {
        skipBlanks();
        std::size_t end = pos_;
        if (end < s_.size() && std::isalpha(static_cast<unsigned char>(s_[end])))
            while (isNameChar(end)) ++end;
        return lower(s_.substr(pos_, end - pos_));
    }
    bool takeKeyword(std::string_view word) {
        if (peekName() != word) return false;
        pos_ += word.size();
        return true;
    }
    bool take(std::string_view symbol) {
        skipBlanks();
        if (s_.substr(pos_, symbol.size()) != symbol) return false;
        pos_ += symbol.size();
        return true;
    }
    NodePtr fail() {
        failed_ = true;
        pos_ = s_.size();
        return number(0);
    }

    // Imp, Eqv, Xor, Or, And: each level binds tighter than the one before.
    NodePtr logic(int level) {
        if (level == 5) return negation();
        NodePtr l = logic(level + 1);
        while (takeKeyword(kLogic[level]))
            l = binary(kLogic[level], std::move(l), logic(level + 1));
        return l;
    }
    NodePtr negation() {
        if (takeKeyword("not")) return make("not", args(negation()));
        return comparison();
    }
    // One level's operators, left to right.
    template <class Next>
    NodePtr chain(std::initializer_list<const char*> symbols, Next next) {
        NodePtr l = next();
        for (;;) {
            const char* found = nullptr;
            for (const char* c : symbols)
                if (!found && take(c)) found = c;
            if (!found) return l;
            l = binary(found, std::move(l), next());
        }
    }
    // Two-character operators first, so that "<=" is not read as "<".
    NodePtr comparison() {
        return chain({"<>", "<=", ">=", "=", "<", ">"}, [&] { return additive(); });
    }
    NodePtr additive() {
        return chain({"+", "-"}, [&] { return modulo(); });
    }
    NodePtr modulo() {
        NodePtr l = integerDivision();
        while (takeKeyword("mod")) l = binary("mod", std::move(l), integerDivision());
        return l;
    }
    NodePtr integerDivision() {
        return chain({"\\"}, [&] { return multiplicative(); });
    }
    NodePtr multiplicative() {
        return chain({"*", "/"}, [&] { return signedOperand(); });
    }
    // Signs bind looser than ^: -3^2 is -(3^2).
    NodePtr signedOperand() {
        if (take("-")) return make("neg", args(signedOperand()));
        if (take("+")) return signedOperand();
        return power();
    }
    // Left to right; the exponent may carry signs of its own: 2^-2.
    NodePtr power() {
        NodePtr l = primary();
        while (take("^")) {
            bool negative = false;
            for (;;) {
                if (take("-"))
                    negative = !negative;
                else if (!take("+"))
                    break;
            }
            NodePtr r = primary();
            if (negative) r = make("neg", args(std::move(r)));
            l = binary("^", std::move(l), std::move(r));
        }
        return l;
    }
    NodePtr primary() {
        skipBlanks();
        if (take("(")) {
            NodePtr e = logic(0);
            return take(")") ? std::move(e) : fail();
        }
        if (take("&")) return radix();
        if (pos_ < s_.size() &&
            (std::isdigit(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '.'))
            return decimal();
        const std::string name = peekName();
        if (name.empty()) return fail();
        pos_ += name.size();
        if (name == "true") return number(-1);
        if (name == "false") return number(0);
        // Only the lower-case letter standing alone is the variable.
        if (name == "x" && s_[pos_ - 1] == 'x') return make("x");
        return call(name);
    }
    NodePtr call(const std::string& name) {
        static constexpr const char* kFunctions[] = {
            "sin", "cos", "tan",   "atn",  "log",  "exp",  "abs",  "sqr",  "sgn",
            "int", "fix", "round", "cint", "clng", "csng", "cdbl", "cbool"};
        bool known = false;
        for (const char* f : kFunctions) known |= name == f;
        if (!known || !take("(")) return fail();
        std::vector<NodePtr> list = args(logic(0));
        if (name == "round" && take(",")) list.push_back(logic(0));
        if (!take(")")) return fail();
        return make(name, std::move(list));
    }
    // 1 to 8 digits: 16 bits while the value fits them, else 32; a trailing & asks for 32.
    NodePtr radix() {
        int base = 0;
        if (takeKeywordPrefix('h')) base = 16;
        if (!base && takeKeywordPrefix('o')) base = 8;
        if (!base) return fail();
        std::uint64_t v = 0;
        int digits = 0;
        for (; pos_ < s_.size(); ++pos_, ++digits) {
            const int c = std::tolower(static_cast<unsigned char>(s_[pos_]));
            const int d = std::isdigit(c) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : 99;
            if (d >= base) break;
            v = v * static_cast<unsigned>(base) + static_cast<unsigned>(d);
        }
        if (digits == 0 || v > 0xFFFFFFFFu) return fail();
        const bool wide = (pos_ < s_.size() && s_[pos_] == '&' && ++pos_) || v > 0xFFFF;
        return number(wide ? static_cast<std::int32_t>(static_cast<std::uint32_t>(v))
                           : static_cast<std::int16_t>(static_cast<std::uint16_t>(v)));
    }
    bool takeKeywordPrefix(char letter) {
        if (pos_ < s_.size() && std::tolower(static_cast<unsigned char>(s_[pos_])) == letter) {
            ++pos_;
            return true;
        }
        return false;
    }
    NodePtr decimal() {
        const std::size_t start = pos_;
        auto digits = [&] {
            while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
        };
        digits();
        if (pos_ < s_.size() && s_[pos_] == '.') ++pos_, digits();
        if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < s_.size() && (s_[pos_] == '+' || s_[pos_] == '-')) ++pos_;
            digits();
        }
        const std::string literal(s_.substr(start, pos_ - start));
        if (literal == ".") return fail();
        const double v = std::strtod(literal.c_str(), nullptr);
        return std::isinf(v) ? fail() : number(v);
    }
    static std::vector<NodePtr> args(NodePtr a) {
        std::vector<NodePtr> v;
        v.push_back(std::move(a));
        return v;
    }
    static NodePtr binary(const std::string& op, NodePtr l, NodePtr r) {
        std::vector<NodePtr> v;
        v.push_back(std::move(l));
        v.push_back(std::move(r));
        return make(op, std::move(v));
    }

    std::string_view s_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

// Halves to the even neighbour, the language's rounding for whole-number operands.
double roundHalfEven(double v) {
    const double below = std::floor(v);
    const double rest = v - below;
    if (rest < 0.5) return below;
    if (rest > 0.5) return below + 1;
    return std::fmod(below, 2) == 0 ? below : below + 1;
}

// A whole number within [lo, hi] after rounding, or nothing.
std::optional<std::int64_t> whole(double v, double lo, double hi) {
    const double r = roundHalfEven(v);
    if (r < lo || r > hi) return std::nullopt;
    return static_cast<std::int64_t>(r);
}
std::optional<std::int64_t> whole32(double v) { return whole(v, -2147483648.0, 2147483647.0); }

Value ok(double v) { return std::isfinite(v) ? Value{v} : Value{0, Failure::Overflow}; }
Value failed(Failure f) { return {0, f}; }
double truth(bool b) { return b ? -1 : 0; }

Value logical(const std::string& op, double a, double b) {
    const auto ia = whole32(a), ib = whole32(b);
    if (!ia || !ib) return failed(Failure::Overflow);
    const auto p = static_cast<std::uint32_t>(*ia), q = static_cast<std::uint32_t>(*ib);
    std::uint32_t r = 0;
    if (op == "and") r = p & q;
    if (op == "or") r = p | q;
    if (op == "xor") r = p ^ q;
    if (op == "eqv") r = ~(p ^ q);
    if (op == "imp") r = ~p | q;
    return ok(static_cast<std::int32_t>(r));
}

Value binaryValue(const std::string& op, double a, double b, Power power) {
    if (op == "+") return ok(a + b);
    if (op == "-") return ok(a - b);
    if (op == "*") return ok(a * b);
    if (op == "/") {
        if (b == 0) return failed(a == 0 ? Failure::Overflow : Failure::DivisionByZero);
        return ok(a / b);
    }
    if (op == "^") {
        if (a == 0 && b < 0) return failed(Failure::DivisionByZero);
        if (a < 0 && b != std::floor(b)) return failed(Failure::InvalidArgument);
        return ok(power(a, b));
    }
    if (op == "\\" || op == "mod") {
        const auto ia = whole32(a), ib = whole32(b);
        if (!ia || !ib) return failed(Failure::Overflow);
        if (*ib == 0) return failed(Failure::DivisionByZero);
        const std::int64_t r = op == "mod" ? *ia % *ib : *ia / *ib;
        return r > 2147483647 ? failed(Failure::Overflow) : ok(static_cast<double>(r));
    }
    if (op == "=") return ok(truth(a == b));
    if (op == "<>") return ok(truth(a != b));
    if (op == "<") return ok(truth(a < b));
    if (op == ">") return ok(truth(a > b));
    if (op == "<=") return ok(truth(a <= b));
    if (op == ">=") return ok(truth(a >= b));
    if (op == "round") {  // Round(value, digits)
        const double d = roundHalfEven(b);
        if (d < 0) return failed(Failure::InvalidArgument);
        // Beyond 22 digits a power of ten is no longer exact, and a double has no such digits.
        if (d > 22) return ok(a);
        const double scale = std::pow(10.0, d);
        const double scaled = a * scale;
        return ok(std::isfinite(scaled) ? roundHalfEven(scaled) / scale : a);
    }
    return logical(op, a, b);
}

Value unaryValue(const std::string& op, double a, Transcendental fn) {
    if (op == "neg") return ok(-a);
    if (op == "not") {
        const auto i = whole32(a);
        return i ? ok(static_cast<std::int32_t>(~static_cast<std::uint32_t>(*i)))
                 : failed(Failure::Overflow);
    }
    if (op == "sin") return ok(fn(Fn::Sin, a));
    if (op == "cos") return ok(fn(Fn::Cos, a));
    if (op == "tan") return ok(fn(Fn::Tan, a));
    if (op == "atn") return ok(fn(Fn::Atn, a));
    if (op == "exp") return ok(fn(Fn::Exp, a));
    if (op == "log") return a <= 0 ? failed(Failure::InvalidArgument) : ok(fn(Fn::Log, a));
    if (op == "sqr") return a < 0 ? failed(Failure::InvalidArgument) : ok(std::sqrt(a));
    if (op == "abs") return ok(std::fabs(a));
    if (op == "sgn") return ok(a > 0 ? 1 : a < 0 ? -1 : 0);
    if (op == "int") return ok(std::floor(a));
    if (op == "fix") return ok(std::trunc(a));
    if (op == "round") return ok(roundHalfEven(a));
    if (op == "cint") {
        const auto i = whole(a, -32768, 32767);
        return i ? ok(static_cast<double>(*i)) : failed(Failure::Overflow);
    }
    if (op == "clng") {
        const auto i = whole32(a);
        return i ? ok(static_cast<double>(*i)) : failed(Failure::Overflow);
    }
    if (op == "csng") return ok(static_cast<float>(a));
    if (op == "cbool") return ok(truth(a != 0));
    return ok(a);  // cdbl
}

// Operands left to right; the first failure met is the sample's.
Value walk(const Node& n, double x, Transcendental fn, Power power) {
    if (n.op.empty()) return {n.number};
    if (n.op == "x") return {x};
    double operands[2] = {};
    for (std::size_t i = 0; i < n.args.size(); ++i) {
        const Value v = walk(*n.args[i], x, fn, power);
        if (v.failure != Failure::None) return v;
        operands[i] = v.value;
    }
    if (n.args.size() == 2) return binaryValue(n.op, operands[0], operands[1], power);
    return unaryValue(n.op, operands[0], fn);
}

}  // namespace

Expression::Expression(std::unique_ptr<Node> root) : root_(std::move(root)) {}
Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;
Expression::~Expression() = default;

std::optional<Expression> Expression::parse(std::string_view text) {
    std::optional<NodePtr> root = Parser(text).all();
    if (!root) return std::nullopt;
    return Expression(std::move(*root));
}

Value Expression::evaluate(double x, Transcendental fn, Power power) const {
    return root_ ? walk(*root_, x, fn, power) : Value{0};
}

}  // namespace tracewell::eval::reference
