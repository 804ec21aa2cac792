// The pass that lets an instruction read a lone constant or x itself.
#include <cassert>
#include <cstdint>
#include <vector>

#include "rewrites.h"

namespace tracewell::eval {
namespace {

Src sourceOf(const Instruction& load) { return load.op == Op::PushX ? Src::X : Src::Const; }

}  // namespace

// A one-operand instruction reads x in place (a constant operand was folded, or fails); a
// two-operand one reads either lone load, but not two constants, having one constant field.
// A left load lies before the right operand's code, however long: the loads taken in are
// marked in one walk and dropped in a second, so the pass stays linear.
void operandsInPlace(Code& code) {
    std::vector<std::uint32_t> starts;  // where the code of each value on the stack begins
    std::vector<std::uint8_t> taken(code.size());
    for (std::uint32_t i = 0; i < code.size(); ++i) {
        Instruction& ins = code[i];
        if (isLoad(ins)) {
            starts.push_back(i);
            continue;
        }
        assert(onStack(ins, ins.op) && i > 0);
        const Instruction& right = code[i - 1];  // the only operand of a one-operand one
        if (isUnary(ins.op)) {
            if (right.op == Op::PushX) ins.lhs = Src::X, taken[i - 1] = 1;
            continue;
        }
        const std::uint32_t rightStart = starts.back();
        starts.pop_back();
        if (isLoad(right)) {
            ins.rhs = sourceOf(right);
            ins.k = right.k;
            taken[i - 1] = 1;
        }
        const Instruction& left = code[rightStart - 1];
        if (isLoad(left) && !(ins.rhs == Src::Const && isConstant(left))) {
            ins.lhs = sourceOf(left);
            if (ins.lhs == Src::Const) ins.k = left.k;
            taken[rightStart - 1] = 1;
        }
    }
    // Without a branch on each: which loads go has no pattern to predict.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < code.size(); ++i) {
        code[kept] = code[i];
        kept += !taken[i];
    }
    code.resize(kept);
}

}  // namespace tracewell::eval
