#pragma once
// The main window's state: nine plain fields that the handlers read and write.

#include <QString>
#include <array>
#include <cstdint>

namespace tracewell::plot {

// Entry i is the one-character string whose character code is i, for i from 33 to 126:
// the characters an expression may contain.
class CharacterTable {
public:
    static constexpr int kFirst = 33;
    static constexpr int kLast = 126;

    static constexpr bool holds(int code) { return code >= kFirst && code <= kLast; }
    // An index outside 33..126 has no entry: reading gives the empty string, writing nothing.
    const QString& operator()(int code) const;
    void set(int code, const QString& entry);

private:
    std::array<QString, kLast - kFirst + 1> entries_;
};

// Only XRange, YRange and XStep carry anything from one run to the next. CharTable, CurX,
// Idx, ExprText, XStart and ExprLen are kept only because the design has them: the routine
// could do with a range check and local variables, but it leaves in them what the design
// says, so that the state after any handler is the design's.
struct PlotState {
    CharacterTable CharTable;  // filled at load, never changed after
    float CurX = 0;            // the current x while sampling; after a run, the x that ended it
    std::int16_t Idx = 0;      // the one loop index of the window; the error event sets it to 0
    float XStep = 0;           // the sampling step; 0 until the precision is first chosen
    QString ExprText;          // the working copy of the expression text
    std::int16_t XStart = 0;   // match flag of the character check, then the first x
    std::int16_t ExprLen = 0;  // the length of ExprText
    std::int16_t XRange = 0;   // x runs from -XRange to XRange
    std::int16_t YRange = 0;   // y runs from -YRange to YRange
};

}  // namespace tracewell::plot
