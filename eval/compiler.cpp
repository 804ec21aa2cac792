#include "compiler.h"

#include <vector>

#include "functions.h"
#include "kernels.h"
#include "lexer.h"
#include "operations.h"

namespace tracewell::eval {
namespace {

// Binding levels, loosest first; an operator binds its operands at its own level or tighter.
enum Level {
    kNone,
    kImp,      // a Imp b
    kEqv,      // a Eqv b
    kXor,      // a Xor b
    kOr,       // a Or b
    kAnd,      // a And b
    kNot,      // Not a            (prefix; its operand may hold comparisons)
    kCompare,  // = <> < > <= >=   (one level, left to right)
    kConcat,   // a & b            (not offered: strings are not values here)
    kAddSub,   // a + b, a - b
    kMod,      // a Mod b
    kIntDiv,   // a \ b
    kMulDiv,   // a * b, a / b
    kSign,     // -a, +a           (binds looser than ^: -3^2 is -9)
    kPower,    // a ^ b            (left to right; b may carry signs: 2^-2)
};

struct Infix {
    Level level;
    Op op;
};

Infix infixOf(TokenKind kind) {
    switch (kind) {
        case TokenKind::Imp:
            return {kImp, Op::Imp};
        case TokenKind::Eqv:
            return {kEqv, Op::Eqv};
        case TokenKind::Xor:
            return {kXor, Op::Xor};
        case TokenKind::Or:
            return {kOr, Op::Or};
        case TokenKind::And:
            return {kAnd, Op::And};
        case TokenKind::Equal:
            return {kCompare, Op::Eq};
        case TokenKind::NotEqual:
            return {kCompare, Op::Ne};
        case TokenKind::Less:
            return {kCompare, Op::Lt};
        case TokenKind::Greater:
            return {kCompare, Op::Gt};
        case TokenKind::LessEqual:
            return {kCompare, Op::Le};
        case TokenKind::GreaterEqual:
            return {kCompare, Op::Ge};
        case TokenKind::Ampersand:
            return {kConcat, Op::Add};
        case TokenKind::Plus:
            return {kAddSub, Op::Add};
        case TokenKind::Minus:
            return {kAddSub, Op::Sub};
        case TokenKind::Mod:
            return {kMod, Op::Mod};
        case TokenKind::Backslash:
            return {kIntDiv, Op::IntDiv};
        case TokenKind::Star:
            return {kMulDiv, Op::Mul};
        case TokenKind::Slash:
            return {kMulDiv, Op::Div};
        case TokenKind::Caret:
            return {kPower, Op::Pow};
        default:
            return {kNone, Op::PushConst};
    }
}

ValueKind resultKind(Op op, ValueKind a, ValueKind b) {
    if (isComparison(op)) return ValueKind::Truth;
    switch (op) {
        case Op::And:
        case Op::Or:
        case Op::Xor:
        case Op::Eqv:
        case Op::Imp:
            return a == ValueKind::Truth && b == ValueKind::Truth ? ValueKind::Truth
                                                                  : ValueKind::Number;
        default:
            return ValueKind::Number;
    }
}

bool isLoad(const Instruction& ins) { return ins.op == Op::PushConst || ins.op == Op::PushX; }
Src sourceOf(const Instruction& load) { return load.op == Op::PushX ? Src::X : Src::Const; }

struct Failed {
    std::size_t offset;
    std::string message;
    std::size_t length = 1;  // the bytes to blame from offset
};

class Compiler {
public:
    explicit Compiler(std::string_view text) : lexer_(text) {}

    Program run() {
        advance();
        if (current_.kind == TokenKind::End) return Program({{Op::PushConst}}, ValueKind::Empty);
        const ValueKind kind = expression(kImp);
        if (current_.kind != TokenKind::End) fail("Syntax error");
        return Program(std::move(code_), kind);
    }

private:
    [[noreturn]] void fail(std::string message) { fail(current_.offset, std::move(message)); }
    [[noreturn]] void fail(std::size_t offset, std::string message, std::size_t length = 1) {
        throw Failed{offset, std::move(message), length};
    }

    void advance() {
        current_ = lexer_.next();
        if (current_.kind == TokenKind::Error) fail(current_.message);
    }

    void expect(TokenKind kind, const char* message) {
        if (current_.kind != kind) fail(message);
        advance();
    }

    // An operand and every operator after it that binds at minLevel or tighter.
    ValueKind expression(Level minLevel) {
        if (++depth_ > kMaxNesting) fail("Expression nested too deeply");
        const std::size_t leftStart = code_.size();
        ValueKind kind = prefixed();
        for (;;) {
            const Infix infix = infixOf(current_.kind);
            if (infix.level == kNone || infix.level < minLevel) break;
            if (infix.level == kConcat) fail("String concatenation is not supported");
            advance();
            const std::size_t rightStart = code_.size();
            const ValueKind right = infix.level == kPower
                                        ? signed_([this] { return primary(); })
                                        : expression(static_cast<Level>(infix.level + 1));
            emitBinary(infix.op, leftStart, rightStart);
            kind = resultKind(infix.op, kind, right);
        }
        --depth_;
        return kind;
    }

    // A run of signs is read in a loop, so that "------1" costs no nesting.
    template <class Operand>
    ValueKind signed_(Operand operand) {
        bool negate = false;
        bool any = false;
        while (current_.kind == TokenKind::Minus || current_.kind == TokenKind::Plus) {
            negate ^= current_.kind == TokenKind::Minus;
            any = true;
            advance();
        }
        const std::size_t start = code_.size();
        const ValueKind kind = operand();
        if (negate) emitUnary(Op::Neg, start);
        return any ? ValueKind::Number : kind;
    }

    ValueKind prefixed() {
        if (current_.kind == TokenKind::Minus || current_.kind == TokenKind::Plus)
            return signed_([this] { return expression(kPower); });
        if (current_.kind == TokenKind::Not) {
            advance();
            const std::size_t start = code_.size();
            const ValueKind kind = expression(kCompare);
            emitUnary(Op::Not, start);
            return kind;
        }
        return primary();
    }

    ValueKind primary() {
        const Token t = current_;
        switch (t.kind) {
            case TokenKind::Number:
                advance();
                emitConst(t.number);
                return ValueKind::Number;
            case TokenKind::True:
            case TokenKind::False:
                advance();
                emitConst(t.kind == TokenKind::True ? ops::kTrue : ops::kFalse);
                return ValueKind::Truth;
            case TokenKind::LeftParen: {
                advance();
                const ValueKind kind = expression(kImp);
                expect(TokenKind::RightParen, "Expected ')'");
                return kind;
            }
            case TokenKind::Name:
                return name();
            default:
                fail("Expected expression");
        }
    }

    ValueKind name() {
        const Token t = current_;
        advance();
        const Function* f = findFunction(t.text);
        if (current_.kind == TokenKind::LeftParen) {
            if (!f) fail(t.offset, "Unknown function '" + std::string(t.text) + "'", t.text.size());
            return call(*f, t);
        }
        if (t.text == "x") {
            code_.push_back({Op::PushX});
            return ValueKind::Number;
        }
        if (f) fail("Expected '('");
        fail(t.offset, "Unknown name '" + std::string(t.text) + "'", t.text.size());
    }

    ValueKind call(const Function& f, const Token& nameToken) {
        advance();  // the (
        std::size_t starts[2] = {};
        int count = 0;
        if (current_.kind != TokenKind::RightParen) {
            for (;;) {
                if (count < 2) starts[count] = code_.size();
                ++count;
                expression(kImp);
                if (current_.kind != TokenKind::Comma) break;
                advance();
            }
        }
        expect(TokenKind::RightParen, "Expected ')'");
        if (count < 1 || count > f.maxArguments)
            fail(nameToken.offset,
                 "Wrong number of arguments: '" + std::string(nameToken.text) + "'");
        if (count == 1)
            emitUnary(f.oneArgument, starts[0]);
        else
            emitBinary(f.twoArguments, starts[0], starts[1]);
        return f.result;
    }

    void emitConst(double k) { code_.push_back({Op::PushConst, Src::Stack, Src::Stack, k}); }

    // Folds a constant operand, reads x in place of pushing it, or works on the stack top.
    void emitUnary(Op op, std::size_t operandStart) {
        const bool lone = code_.size() - operandStart == 1;
        if (lone && code_.back().op == Op::PushConst) {
            const double r = applyOp(op, code_.back().k, 0);
            if (ops::isFinite(r)) {
                code_.back().k = r;
                return;
            }
        } else if (lone && code_.back().op == Op::PushX) {
            code_.back() = {op, Src::X};
            return;
        }
        code_.push_back({op});  // fails at every sample when the fold failed
    }

    // Left operand code is [leftStart, rightStart), right operand code follows it. A lone
    // load on either side becomes an operand of the instruction itself.
    void emitBinary(Op op, std::size_t leftStart, std::size_t rightStart) {
        if (op == Op::Mul || op == Op::Div)
            rightStart = moveSignIntoConstant(leftStart, rightStart);
        if (op == Op::Mul && emitNegatedSquare(leftStart, rightStart)) return;
        const bool leftLoad = rightStart - leftStart == 1 && isLoad(code_[leftStart]);
        const bool rightLoad = code_.size() - rightStart == 1 && isLoad(code_[rightStart]);
        if (leftLoad && rightLoad && code_[leftStart].op == Op::PushConst &&
            code_[rightStart].op == Op::PushConst) {
            const double r = applyOp(op, code_[leftStart].k, code_[rightStart].k);
            if (ops::isFinite(r)) {
                code_.pop_back();
                code_.back().k = r;
                return;
            }
        }
        if ((op == Op::Add || op == Op::Sub) && emitHornerStep(op, leftStart, rightStart)) return;
        if ((op == Op::Add || op == Op::Sub) && emitTermInX(op, leftStart, rightStart)) return;
        if (op == Op::Pow && rightLoad && code_.back().op == Op::PushConst && code_.back().k == 2) {
            code_.pop_back();
            emitUnary(Op::Square, leftStart);
            return;
        }
        Instruction ins{op};
        if (rightLoad) {
            ins.rhs = sourceOf(code_.back());
            ins.k = code_.back().k;
            code_.pop_back();
        }
        if (leftLoad && !(ins.rhs == Src::Const && code_[leftStart].op == Op::PushConst)) {
            ins.lhs = sourceOf(code_[leftStart]);
            if (ins.lhs == Src::Const) ins.k = code_[leftStart].k;
            code_.erase(code_.begin() + static_cast<std::ptrdiff_t>(leftStart));
        }
        code_.push_back(ins);
    }

    // x*a + k, k + x*a and x*a - k, with a on the stack, become one Horner step. Adding -k
    // is subtracting k, and the order of the operands of + and * never changes their bits.
    bool emitHornerStep(Op op, std::size_t leftStart, std::size_t rightStart) {
        auto isConst = [&](std::size_t i) { return code_[i].op == Op::PushConst; };
        // x times the stack top, or x times a constant, which is pushed to start the run.
        auto timesX = [](const Instruction& m) {
            return m.op == Op::Mul && m.lhs != m.rhs && (m.lhs == Src::X || m.rhs == Src::X);
        };
        double k;
        if (code_.size() - rightStart == 1 && isConst(rightStart) && rightStart > leftStart &&
            timesX(code_[rightStart - 1])) {
            k = op == Op::Sub ? -code_.back().k : code_.back().k;
            code_.pop_back();
        } else if (op == Op::Add && rightStart - leftStart == 1 && isConst(leftStart) &&
                   timesX(code_.back())) {
            k = code_[leftStart].k;
            code_.erase(code_.begin() + static_cast<std::ptrdiff_t>(leftStart));
        } else {
            return false;
        }
        Instruction& product = code_.back();
        if (product.lhs == Src::Const || product.rhs == Src::Const) {
            product = {Op::PushConst, Src::Stack, Src::Stack, product.k};
            code_.push_back({});
        }
        code_.back() = {Op::MulXAdd, Src::Stack, Src::Stack, k};
        return true;
    }

    // -a*k and -a/k are a*(-k) and a/(-k): negation is exact, so the sign moves into the
    // constant and the negation goes. Returns where the right operand's code now starts.
    std::size_t moveSignIntoConstant(std::size_t leftStart, std::size_t rightStart) {
        const bool rightConst = code_.size() - rightStart == 1 && code_.back().op == Op::PushConst;
        if (!rightConst || rightStart == leftStart || code_[rightStart - 1].op != Op::Neg)
            return rightStart;
        Instruction& negation = code_[rightStart - 1];
        code_.back().k = -code_.back().k;
        if (negation.lhs == Src::X) {
            negation = {Op::PushX};
            return rightStart;
        }
        code_.erase(code_.begin() + static_cast<std::ptrdiff_t>(rightStart - 1));
        return rightStart - 1;
    }

    // (-x)*x is -(x*x), exactly: the square, then a negation that a constant factor after it
    // can take in (see moveSignIntoConstant).
    bool emitNegatedSquare(std::size_t leftStart, std::size_t rightStart) {
        const bool negatedX = rightStart - leftStart == 1 && code_[leftStart].op == Op::Neg &&
                              code_[leftStart].lhs == Src::X;
        if (!negatedX || code_.size() - rightStart != 1 || code_.back().op != Op::PushX)
            return false;
        code_.back() = {Op::Neg};
        code_[leftStart] = {Op::Square, Src::X};
        return true;
    }

    // a + x*k and a - x*k (or k*x), with a computed on the stack, become one instruction.
    // Subtracting x*k is adding x*(-k): negation is exact, so the bits are the same.
    bool emitTermInX(Op op, std::size_t leftStart, std::size_t rightStart) {
        if (rightStart - leftStart == 1 && isLoad(code_[leftStart])) return false;
        if (code_.size() - rightStart != 1) return false;
        const Instruction& m = code_.back();
        const bool xTimesK = m.op == Op::Mul && ((m.lhs == Src::X && m.rhs == Src::Const) ||
                                                 (m.lhs == Src::Const && m.rhs == Src::X));
        if (!xTimesK) return false;
        const double k = op == Op::Sub ? -m.k : m.k;
        code_.back() = {Op::AddXTimes, Src::Stack, Src::Stack, k};
        return true;
    }

    Lexer lexer_;
    Token current_;
    std::vector<Instruction> code_;
    int depth_ = 0;
};

// Positions count characters, not the bytes of their UTF-8 encoding.
int characterPosition(std::string_view text, std::size_t offset) {
    int position = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++position;
    return position;
}

}  // namespace

CompileResult compile(std::string_view text) {
    const int length = characterPosition(text, text.size()) - 1;
    if (length > kMaxTextLength) return CompileError{kMaxTextLength + 1, "Expression too long"};
    try {
        return Compiler(text).run();
    } catch (const Failed& f) {
        // Names are ASCII: their bytes are their characters.
        return CompileError{characterPosition(text, f.offset), f.message,
                            static_cast<int>(f.length)};
    }
}

}  // namespace tracewell::eval
