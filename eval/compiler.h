#pragma once
// Turns expression text into a program, or says where and why it cannot be read.

#include <string>
#include <string_view>
#include <variant>

#include "program.h"

namespace tracewell::eval {

struct CompileError {
    int position = 1;     // 1-based, in characters; one past the end for a text cut short
    std::string message;  // in the language's words: "Expected ')'", "Unknown name 'X'", ...
    int length = 1;       // the characters to blame from position: a whole unknown name
};

class CompileResult {
public:
    CompileResult(Program p) : v_(std::move(p)) {}
    CompileResult(CompileError e) : v_(std::move(e)) {}
    bool ok() const { return std::holds_alternative<Program>(v_); }
    const Program& program() const { return std::get<Program>(v_); }
    const CompileError& error() const { return std::get<CompileError>(v_); }

private:
    std::variant<Program, CompileError> v_;
};

constexpr int kMaxTextLength = 32767;  // characters
constexpr int kMaxNesting = 500;       // operands within operands

struct CompileOptions {
    // Rewrites the code into fewer passes over the samples, giving the same bits (see
    // optimiser.h); off, every operation runs as written.
    bool optimise = true;
};

// Never throws for any text; the empty text gives the empty value.
CompileResult compile(std::string_view text, CompileOptions options = {});

}  // namespace tracewell::eval
