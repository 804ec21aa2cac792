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

QString rejectedCharacterMessage(QStringView text, int position) {
    const qsizetype at = position - 1;
    if (at < 0 || at >= text.size())
        return QStringLiteral("Position %1 is not accepted").arg(position);
    if (text[at] == u' ')
        return QStringLiteral(
                   "Blanks are not accepted (position %1): put word operators between "
                   "brackets, as in (x)Mod(3)")
            .arg(position);
    // A character beyond the first 65536 takes two places in the text; show it whole.
    char32_t code = text[at].unicode();
    qsizetype units = 1;
    if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
        code = QChar::surrogateToUcs4(text[at], text[at + 1]);
        units = 2;
    }
    // The code tells apart look-alikes, such as a Cyrillic letter and its Latin twin.
    const QString hex = QString::number(code, 16).toUpper().rightJustified(4, u'0');
    if (!QChar::isPrint(code))
        return QStringLiteral("Character U+%1 at position %2 is not accepted")
            .arg(hex)
            .arg(position);
    return QStringLiteral("Character '%1' (U+%2) at position %3 is not accepted")
        .arg(text.mid(at, units).toString(), hex)
        .arg(position);
}

std::optional<PlotProblem> noValueProblem(const RunSummary& summary) {
    if (summary.samples == 0 || summary.anyValue) return std::nullopt;
    return PlotProblem{0, QStringLiteral("No value in this range: %1 (x = %2)")
                              .arg(QString::fromUtf8(eval::failureName(summary.firstFailure)),
                                   QString::fromStdString(plainXText(summary.firstX)))};
}

PlotProblem stoppedProblem(float x) {
    return {0, QStringLiteral("Stopped at x = %1").arg(QString::fromStdString(plainXText(x)))};
}

PlotProblem outOfMemoryProblem() { return {0, QStringLiteral("Not enough memory for this plot")}; }

std::optional<PlotProblem> beginRun(PlotState& s, const QString& text,
                                    platform::ImageSurface& surface, AxesCache& axes,
                                    std::shared_ptr<const eval::Program>& program) {
    program.reset();
    drawAxes(s, surface, axes);

    s.ExprText = text;
    s.ExprLen = index16(static_cast<int>(std::min<qsizetype>(text.size(), 32767)));
    // Refused whole, before any scan: a part of it would be another expression.
    if (text.size() > eval::kMaxTextLength)
        return PlotProblem{eval::kMaxTextLength + 1, QStringLiteral("Expression too long")};
    if (const int bad = checkCharacters(s))
        return PlotProblem{bad, rejectedCharacterMessage(s.ExprText, bad)};

    chooseFirstX(s);

    const eval::CompileResult compiled = eval::compile(s.ExprText.toStdString());
    if (!compiled.ok()) {
        const eval::CompileError& e = compiled.error();
        return PlotProblem{e.position, QString::fromStdString(e.message) +
                                           QStringLiteral(": position %1").arg(e.position)};
    }
    program = std::make_shared<const eval::Program>(compiled.program());
    return std::nullopt;
}

}  // namespace tracewell::plot
