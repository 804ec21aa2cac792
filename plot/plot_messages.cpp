#include "plot/plot_messages.h"

#include <cmath>
#include <string>

#include "eval/hints.h"
#include "plot/label_numbers.h"
#include "plot/limits.h"

namespace tracewell::plot {
namespace {

constexpr int kLargestYRange = kYRangeBar.maximum;

// Characters nobody can see, named in words.
struct Unseen {
    char32_t code;
    const char* words;
};
constexpr Unseen kUnseen[] = {
    {0x0009, "A tab"},
    {0x000A, "A line break"},
    {0x000D, "A carriage return"},
    {0x0000, "A null character"},
    {0x00A0, "A no-break space"},
    {0x200B, "A zero-width space"},
    {0x2028, "A line separator"},
    {0x2029, "A paragraph separator"},
    {0xFEFF, "A byte order mark"},
};

QString unseenWords(char32_t code) {
    for (const Unseen& u : kUnseen)
        if (u.code == code) return QString::fromLatin1(u.words);
    if (code < 0x20 || (code >= 0x7F && code <= 0x9F)) return QStringLiteral("A control character");
    return QChar::isPrint(code) ? QString() : QStringLiteral("An invisible character");
}

QString withHint(QString message, std::string_view hint) {
    if (!hint.empty())
        message += QStringLiteral("; ") + QString::fromUtf8(hint.data(), qsizetype(hint.size()));
    return message;
}

// Three significant digits, and whole numbers up to ten million in full.
QString spanNumber(float v) {
    const float a = std::fabs(v);
    return a >= 1000 && a < 1e7f ? QString::number(v, 'f', 0) : QString::number(v, 'g', 3);
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
    const QString words = unseenWords(code);
    const QString message =
        words.isEmpty() ? QStringLiteral("Character '%1' (U+%2) at position %3 is not accepted")
                              .arg(text.mid(at, units).toString(), hex)
                              .arg(position)
                        : QStringLiteral("%1 (U+%2) at position %3 is not accepted")
                              .arg(words, hex)
                              .arg(position);
    return withHint(message, eval::characterHint(code));
}

QString compileErrorMessage(QStringView text, const eval::CompileError& error) {
    if (error.message == "Expression too long")
        return QStringLiteral("Expression too long: %1 characters, the limit is %2")
            .arg(text.size())
            .arg(eval::kMaxTextLength);
    const std::string utf8 = text.toString().toStdString();
    return withHint(
        QString::fromStdString(error.message) + QStringLiteral(": position %1").arg(error.position),
        eval::hintFor(utf8, error));
}

std::optional<PlotProblem> noCurveProblem(const RunSummary& run) {
    if (run.samples == 0 || run.inside) return std::nullopt;
    if (!run.anyValue)
        return PlotProblem{0, QStringLiteral("No value in this range: %1 (x = %2)")
                                  .arg(QString::fromUtf8(eval::failureName(run.firstFailure)),
                                       QString::fromStdString(plainXText(run.firstFailureX)))};
    const auto range = static_cast<float>(run.yRange);
    const bool above = run.low > range, below = run.high < -range;
    const bool reachable = above   ? run.low <= kLargestYRange
                           : below ? run.high >= -kLargestYRange
                                   : run.yRange < kLargestYRange;
    const QString message = QStringLiteral("Every value lies %1 the y range (%2 to %3)")
                                .arg(above   ? "above"
                                     : below ? "below"
                                             : "outside",
                                     spanNumber(run.low), spanNumber(run.high));
    return PlotProblem{
        0,
        message + (reachable ? QStringLiteral(": raise Oy")
                             : QStringLiteral(", beyond the largest Oy (%1)").arg(kLargestYRange))};
}

PlotProblem stoppedProblem(float x) {
    return {0, QStringLiteral("Stopped at x = %1").arg(QString::fromStdString(plainXText(x)))};
}

PlotProblem outOfMemoryProblem() {
    return {0, QStringLiteral("Not enough memory for this plot"), 1, true};
}

}  // namespace tracewell::plot
