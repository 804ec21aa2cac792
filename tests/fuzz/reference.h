#pragma once
// A second, plain reading of the expression language, kept apart from the engine: a parser
// that builds a tree and a walk over it, one operation at a time, with no folding, no fusion
// and no blocks. Written from the language's rules, so that the engine's shortcuts have
// something simple to be held against.

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "eval/failure.h"

namespace tracewell::eval::reference {

enum class Fn { Sin, Cos, Tan, Atn, Exp, Log };

// The transcendental functions and the power a^b (where the language gives it a value) that
// the walk calls; the caller picks the library.
using Transcendental = double (*)(Fn, double);
using Power = double (*)(double, double);

struct Node;

struct Value {
    double value = 0;
    Failure failure = Failure::None;
};

class Expression {
public:
    // nullopt when the text cannot be read.
    static std::optional<Expression> parse(std::string_view text);
    Value evaluate(double x, Transcendental fn, Power power) const;

    Expression(Expression&&) noexcept;
    Expression& operator=(Expression&&) noexcept;
    ~Expression();

private:
    explicit Expression(std::unique_ptr<Node> root);
    std::unique_ptr<Node> root_;  // nullptr: the empty text
};

}  // namespace tracewell::eval::reference
