#include "compiler.h"

#include <algorithm>
#include <vector>

#include "functions.h"
#include "lexer.h"
#include "operations.h"
#include "optimiser.h"

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

struct Failed {
    std::size_t offset;
    std::string message;
    std::size_t length = 1;  // the bytes to blame from offset
};

class Compiler {
public:
    explicit Compiler(std::string_view text) : lexer_(text) {
        // Each instruction comes from a token of its own, of a character or more (and a text
        // longer than the limit is not read): the code is allocated once, where a long text's
        // code doubling its way up would leave large blocks that the allocator gives back to
        // the system and takes again at every compile.
        code_.reserve(std::min(text.size(), static_cast<std::size_t>(kMaxTextLength)));
    }

    // Reads the text into code as written, constants and x pushed and every operation taking
    // its operands from the stack, for the optimiser to rewrite.
    Program run(CompileOptions options) {
        advance();
        if (current_.kind == TokenKind::End) return Program({{Op::PushConst}}, ValueKind::Empty);
        const ValueKind kind = expression(kImp);
        if (current_.kind != TokenKind::End) fail("Syntax error");
        if (options.optimise) optimise(code_);
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
        ValueKind kind = prefixed();
        for (;;) {
            const Infix infix = infixOf(current_.kind);
            if (infix.level == kNone || infix.level < minLevel) break;
            if (infix.level == kConcat) fail("String concatenation is not supported");
            advance();
            const ValueKind right = infix.level == kPower
                                        ? signed_([this] { return primary(); })
                                        : expression(static_cast<Level>(infix.level + 1));
            emit(infix.op);
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
        const ValueKind kind = operand();
        if (negate) emit(Op::Neg);
        return any ? ValueKind::Number : kind;
    }

    ValueKind prefixed() {
        if (current_.kind == TokenKind::Minus || current_.kind == TokenKind::Plus)
            return signed_([this] { return expression(kPower); });
        if (current_.kind == TokenKind::Not) {
            advance();
            const ValueKind kind = expression(kCompare);
            emit(Op::Not);
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
        int count = 0;
        if (current_.kind != TokenKind::RightParen) {
            for (;;) {
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
        emit(count == 1 ? f.oneArgument : f.twoArguments);
        return f.result;
    }

    void emitConst(double k) { code_.push_back({Op::PushConst, Src::Stack, Src::Stack, k}); }
    // Operations take their operands from the stack; the optimiser may rewrite them.
    void emit(Op op) { code_.push_back({op}); }

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

CompileResult compile(std::string_view text, CompileOptions options) {
    const int length = characterPosition(text, text.size()) - 1;
    if (length > kMaxTextLength) return CompileError{kMaxTextLength + 1, "Expression too long"};
    try {
        return Compiler(text).run(options);
    } catch (const Failed& f) {
        // Names are ASCII: their bytes are their characters.
        return CompileError{characterPosition(text, f.offset), f.message,
                            static_cast<int>(f.length)};
    }
}

}  // namespace tracewell::eval
