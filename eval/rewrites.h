#pragma once
// The optimiser's passes, and what they share. Each pass walks the postfix code once, from
// the start: the code of an instruction's operands ends just before it, the right operand's
// last, so the last instructions rewritten so far are the roots of the next one's operands.

#include <cstdint>
#include <initializer_list>

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

// The code rewritten so far, kept in place at the front of the code being read: a rule takes
// in one instruction and leaves at most one more than it found, so it never overtakes the
// reading. Rewriting in place spares a long text's code a fresh copy for every pass.
class Rewritten {
public:
    explicit Rewritten(Code& code) : code_(code) {}
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    Instruction& back() { return code_[size_ - 1]; }
    // The n-th instruction from the end (0: the last), or nullptr when there are fewer.
    Instruction* fromEnd(std::size_t n) { return n < size_ ? &code_[size_ - 1 - n] : nullptr; }
    void push_back(const Instruction& ins) { code_[size_++] = ins; }
    // Keeps the instruction read at i, which is already in place until the code shrinks.
    void keep(std::size_t i) {
        if (size_ != i) code_[size_] = code_[i];
        ++size_;
    }
    void pop_back() { --size_; }
    void shrink(std::size_t by) { size_ -= by; }

private:
    Code& code_;
    std::size_t size_ = 0;
};

// The operations whose instructions a pass looks at: the others it keeps without a look.
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

private:
    static_assert(kOpCount <= 64 && static_cast<int>(Op::PushConst) == 0 &&
                  static_cast<int>(Op::PushX) == 1);
    std::uint64_t bits_ = 0;
};

// Walks code once: rule(out, ins) sees the code rewritten so far in out and either changes
// out's end to stand for ins too, returning true, or returns false to keep ins as it is.
// Instructions of operations outside triggers are kept as they are, unseen by the rule.
template <class Rule>
void rewrite(Code& code, OpSet triggers, Rule rule) {
    Rewritten out(code);
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (!triggers.has(code[i].op)) {
            out.keep(i);
            continue;
        }
        const Instruction ins = code[i];
        if (!rule(out, ins)) out.push_back(ins);
    }
    code.resize(out.size());
}

void foldConstants(Code& code);
void squares(Code& code);
void negatedSquares(Code& code);
void negationsIntoConstants(Code& code);
void operandsInPlace(Code& code);
void hornerSteps(Code& code);
void termsInX(Code& code);
void reciprocalsOfPowersOfTwo(Code& code);
void tails(Code& code);

}  // namespace tracewell::eval
