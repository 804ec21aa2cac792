#pragma once
// The functions the language offers, found by name in any letter case.

#include <string_view>

#include "opcode.h"
#include "program.h"

namespace tracewell::eval {

struct Function {
    std::string_view name;  // lower case
    Op oneArgument;         // the operation for f(a)
    Op twoArguments;        // the operation for f(a, b), where the function takes two
    int maxArguments;
    ValueKind result;
};

// nullptr when the language has no function of that name.
const Function* findFunction(std::string_view name);

}  // namespace tracewell::eval
