#include "disassemble.h"

#include <charconv>
#include <vector>

namespace tracewell::eval {
namespace {

// clang-format off
constexpr const char* kOpNames[] = {
    "PushConst", "PushX",
    "Neg", "Not", "Square", "Sin", "Cos", "Tan", "Atn", "Log", "Exp", "Abs", "SquareRoot", "Sgn", "Int",
    "Fix", "Round", "CInt", "CLng", "CSng", "CDbl", "CBool", "MulXAdd", "AddXTimes",
    "Add", "Sub", "Mul", "Div", "Pow", "IntDiv", "Mod", "Eq", "Ne", "Lt", "Gt", "Le", "Ge", "And",
    "Or", "Xor", "Eqv", "Imp", "RoundTo",
};
// clang-format on
static_assert(std::size(kOpNames) == kOpCount);

// Appends are used throughout: GCC 12 warns wrongly about "text" + std::string at -O3.
void appendNumber(std::string& text, double v) {
    char buf[32];
    text.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

void appendOperand(std::string& text, Src src, double k) {
    text += ' ';
    switch (src) {
        case Src::Stack:
            text += "stack";
            return;
        case Src::X:
            text += 'x';
            return;
        case Src::Const:
            appendNumber(text, k);
            return;
    }
}

void appendOperands(std::string& text, const Instruction& ins) {
    switch (ins.op) {
        case Op::PushConst:
            return appendOperand(text, Src::Const, ins.k);
        case Op::PushX:
            return;
        case Op::MulXAdd:
            text += " x*stack +";
            return appendOperand(text, Src::Const, ins.k);
        case Op::AddXTimes:
            text += " stack + x*";
            return appendNumber(text, ins.k);
        default:
            break;
    }
    appendOperand(text, ins.lhs, ins.k);
    if (isUnary(ins.op)) return;
    text += ',';
    appendOperand(text, ins.rhs, ins.k);
}

}  // namespace

const char* opName(Op op) { return kOpNames[static_cast<int>(op)]; }

std::string disassemble(const Program& program) {
    const std::vector<Instruction>& code = program.code();
    std::vector<bool> working(code.size());
    for (const std::uint32_t i : program.working()) working[i] = true;
    const std::size_t width = std::to_string(code.size() - 1).size();
    std::string text;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const Instruction& ins = code[i];
        const std::string index = std::to_string(i);
        text.append(width - index.size(), ' ').append(index).append(working[i] ? " * " : "   ");
        text += opName(ins.op);
        appendOperands(text, ins);
        if (ins.tail != Tail::None) {
            text += ins.tail == Tail::Add ? ", then +" : ", then *";
            appendOperand(text, Src::Const, ins.tailK);
        }
        if (ins.run) text.append(", run ").append(std::to_string(ins.run));
        text += '\n';
    }
    return text;
}

}  // namespace tracewell::eval
