#include "functions.h"

#include "ascii.h"

namespace tracewell::eval {
namespace {

constexpr ValueKind N = ValueKind::Number;

constexpr Function kFunctions[] = {
    {"sin", Op::Sin, Op::Sin, 1, N},
    {"cos", Op::Cos, Op::Cos, 1, N},
    {"tan", Op::Tan, Op::Tan, 1, N},
    {"atn", Op::Atn, Op::Atn, 1, N},
    {"log", Op::Log, Op::Log, 1, N},
    {"exp", Op::Exp, Op::Exp, 1, N},
    {"abs", Op::Abs, Op::Abs, 1, N},
    {"sqr", Op::SquareRoot, Op::SquareRoot, 1, N},
    {"sgn", Op::Sgn, Op::Sgn, 1, N},
    {"int", Op::Int, Op::Int, 1, N},
    {"fix", Op::Fix, Op::Fix, 1, N},
    {"round", Op::Round, Op::RoundTo, 2, N},
    {"cint", Op::CInt, Op::CInt, 1, N},
    {"clng", Op::CLng, Op::CLng, 1, N},
    {"csng", Op::CSng, Op::CSng, 1, N},
    {"cdbl", Op::CDbl, Op::CDbl, 1, N},
    {"cbool", Op::CBool, Op::CBool, 1, ValueKind::Truth},
};

}  // namespace

const Function* findFunction(std::string_view name) {
    for (const Function& f : kFunctions)
        if (ascii::equalsIgnoringCase(f.name, name)) return &f;
    return nullptr;
}

}  // namespace tracewell::eval
