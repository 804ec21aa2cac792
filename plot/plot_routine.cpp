#include "plot/plot_routine.h"

#include <QStringView>
#include <algorithm>
#include <cmath>

#include "eval/compiler.h"
#include "plot/label_numbers.h"

namespace tracewell::plot {
namespace {

// Loop indexes are 16-bit; a loop that would pass 32767 stops there instead of overflowing.
std::int16_t index16(int v) { return static_cast<std::int16_t>(std::clamp(v, -32768, 32767)); }

void drawAxes(PlotState& s, platform::ImageSurface& surface, AxesCache& cache) {
    const int xr = s.XRange, yr = s.YRange;
    surface.setScale(-xr, yr, xr, -yr);
    if (cache.restore(surface)) {
        s.Idx = index16(yr + 1);  // as the drawing loops leave it
        return;
    }
    surface.clear();
    surface.line({static_cast<double>(-xr), 0}, {static_cast<double>(xr), 0});
    for (int i = -xr; i <= xr; ++i) {
        s.Idx = index16(i);
        surface.point({static_cast<double>(i), 0});
        surface.print(signReservingNumber(i));
    }
    s.Idx = index16(xr + 1);
    surface.line({0, static_cast<double>(yr)}, {0, static_cast<double>(-yr)});
    for (int i = -yr; i <= yr; ++i) {
        s.Idx = index16(i);
        surface.point({0, static_cast<double>(i)});
        surface.print(signReservingNumber(i));
    }
    s.Idx = index16(yr + 1);
    cache.drawn(surface);
}

// Every character must equal one of the table's entries: codes 33 to 126. Returns the
// position of the first one that does not, or 0.
int checkCharacters(PlotState& s) {
    for (int i = 1; i <= s.ExprLen; ++i) {
        s.Idx = index16(i);
        s.XStart = 0;
        const QStringView piece = QStringView(s.ExprText).mid(i - 1, 1);
        for (int c = CharacterTable::kFirst; c <= CharacterTable::kLast; ++c)
            if (s.CharTable(c) == piece) s.XStart = 1;
        if (s.XStart == 0) return i;
    }
    s.Idx = index16(s.ExprLen + 1);
    return 0;
}

// A square root is plotted from 0, everything else from the left end.
void chooseFirstX(PlotState& s) {
    s.XStart = index16(-s.XRange);
    for (int i = 1; i <= s.ExprLen; ++i) {
        s.Idx = index16(i);
        if (QStringView(s.ExprText).mid(i - 1, 3) == u"sqr") s.XStart = 0;
    }
    s.Idx = index16(s.ExprLen + 1);
}

}  // namespace

std::variant<eval::Program, PlotProblem> readText(PlotState& s, const QString& text) {
    s.ExprText = text;
    s.ExprLen = index16(static_cast<int>(std::min<qsizetype>(text.size(), 32767)));
    // Refused whole, before any scan: a part of it would be another expression.
    if (text.size() > eval::kMaxTextLength) {
        const eval::CompileError tooLong{eval::kMaxTextLength + 1, "Expression too long"};
        return PlotProblem{tooLong.position, compileErrorMessage(text, tooLong)};
    }
    if (const int bad = checkCharacters(s))
        return PlotProblem{bad, rejectedCharacterMessage(s.ExprText, bad)};

    chooseFirstX(s);

    const eval::CompileResult compiled = eval::compile(s.ExprText.toStdString());
    if (!compiled.ok()) {
        const eval::CompileError& e = compiled.error();
        return PlotProblem{e.position, compileErrorMessage(s.ExprText, e), e.length};
    }
    return compiled.program();
}

std::optional<PlotProblem> beginRun(PlotState& s, const QString& text,
                                    platform::ImageSurface& surface, AxesCache& axes,
                                    std::shared_ptr<const eval::Program>& program) {
    program.reset();
    drawAxes(s, surface, axes);
    auto read = readText(s, text);
    if (auto* problem = std::get_if<PlotProblem>(&read)) return std::move(*problem);
    program = std::make_shared<const eval::Program>(std::move(std::get<eval::Program>(read)));
    return std::nullopt;
}

}  // namespace tracewell::plot
