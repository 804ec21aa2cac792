#pragma once
// The optimiser's passes, and what they share. Each pass walks the postfix code once, from
// the start: the code of an instruction's operands ends just before it, the right operand's
// last, so the last instructions rewritten so far are the roots of the next one's operands.

#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <utility>

#include "optimiser.h"

namespace tracewell::eval {

inline bool isLoad(const Instruction& ins) {
    return ins.op == Op::PushConst || ins.op == Op::PushX;
}
inline bool isConstant(const Instruction& ins) { return ins.op == Op::PushConst; }
// An operation as the compiler writes it: its operands on the stack, nothing joined to it.
inline bool onStack(const Instruction& ins, Op op) {
    return ins.op == op && ins.lhs == Src::Stack && ins.rhs == Src::Stack;
}
inline Instruction pushConstant(double k) { return {Op::PushConst, Src::Stack, Src::Stack, k}; }

// The code rewritten so far, kept in place at the front of the code being read. A rewrite
// that keeps the instruction it is offered leaves this no longer than it found it, and one
// that takes the instruction in leaves it at most one longer, so that writing never overtakes
// reading; in place, a long text's code is not copied afresh by every walk.
class Rewritten {
public:
    explicit Rewritten(Code& code) : code_(code) {}
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    Instruction& back() { return code_[size_ - 1]; }
    // The n-th instruction from the end (0: the last), or nullptr when there are fewer.
    Instruction* fromEnd(std::size_t n) { return n < size_ ? &code_[size_ - 1 - n] : nullptr; }
    void push_back(const Instruction& ins) { code_[size_++] = ins; }
    // Keeps the instruction read at i (in place, until the code shrinks: copied without a
    // branch all the same).
    void keep(std::size_t i) { code_[size_++] = code_[i]; }
    void pop_back() { --size_; }
    void shrink(std::size_t by) { size_ -= by; }

private:
    Code& code_;
    std::size_t size_ = 0;
};

// The operations whose instructions a rewrite looks at.
class OpSet {
public:
    constexpr OpSet(std::initializer_list<Op> ops) {
        for (const Op op : ops) bits_ |= std::uint64_t{1} << static_cast<int>(op);
    }
    // Every operation but the loads.
    static constexpr OpSet operations() {
        OpSet all{};
        all.bits_ = ((std::uint64_t{1} << kOpCount) - 1) & ~std::uint64_t{3};
        return all;
    }
    constexpr bool has(Op op) const { return bits_ >> static_cast<int>(op) & 1; }
    constexpr OpSet operator|(OpSet other) const {
        OpSet both{};
        both.bits_ = bits_ | other.bits_;
        return both;
    }

private:
    static_assert(kOpCount <= 64 && static_cast<int>(Op::PushConst) == 0 &&
                  static_cast<int>(Op::PushX) == 1);
    std::uint64_t bits_ = 0;
};

// One rewrite: offered an instruction of one of its operations, with the code rewritten
// before it, it either changes that code's end to stand for the instruction too and returns
// true, or returns false to pass the instruction on, changed or not.
struct Rewrite {
    const char* name;
    OpSet operations;
    bool (*apply)(Rewritten& out, Instruction& ins);
};

// Offers ins to each rewrite of the list for its operation, in order, until one takes it in.
// The list is known when this is compiled, so that every call is a direct one.
template <const auto& rewrites, std::size_t... i>
bool offer(Rewritten& out, Instruction& ins, std::index_sequence<i...>) {
    return ((rewrites[i].operations.has(ins.op) && rewrites[i].apply(out, ins)) || ...);
}

// Walks code once, offering each instruction to the rewrites of the list in turn. A walk is
// bottom up: the code of an instruction's operands has been rewritten when it is offered.
template <const auto& rewrites>
void walk(Code& code) {
    constexpr OpSet any = [] {
        OpSet all{};
        for (const Rewrite& r : rewrites) all = all | r.operations;
        return all;
    }();
    Rewritten out(code);
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (!any.has(code[i].op)) {
            out.keep(i);
            continue;
        }
        // Offered where it lies: a rewrite may change it, and one that takes it in may write
        // over it, the place being free then.
        Instruction& ins = code[i];
        if (!offer<rewrites>(out, ins, std::make_index_sequence<std::size(rewrites)>{}))
            out.keep(i);
    }
    code.resize(out.size());
}

// The passes, in the order they run.
void constantsAndNegations(Code& code);
void operandsInPlace(Code& code);
void sumsAndProducts(Code& code);

}  // namespace tracewell::eval
