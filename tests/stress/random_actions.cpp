#include "random_actions.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <iterator>

#include "eval/compiler.h"
#include "hostile_texts.h"
#include "support/scroll_bar_parts.h"

namespace tracewell::stress {
namespace {

using tracewell::testing::clickPart;
using tracewell::testing::scrollBarPart;

template <class T>
struct Named {
    T value;
    const char* name;
};

// A text for the log: short, with what cannot be printed escaped.
QString shown(const QString& text) {
    QString s;
    for (QChar c : text.left(40))
        s += c.unicode() >= 32 && c.unicode() < 127
                 ? QString(c)
                 : QString("\\u%1").arg(c.unicode(), 4, 16, QChar('0'));
    return "\"" + s + (text.size() > 40 ? "...\"" : "\"") + QString(" (%1 chars)").arg(text.size());
}

// As a window system delivers a double click: the second press comes as a double click.
void doubleClick(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
    const QPointF at = widget->rect().center();
    QMouseEvent twice(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &twice);
    QTest::mouseRelease(widget, Qt::LeftButton);
}

}  // namespace

RandomActions::RandomActions(WindowModel& model, ModalCloser& closer, std::uint32_t seed,
                             double maxPlotCost)
    : model_(model), c_(model.controls()), closer_(closer), rng_(seed), maxPlotCost_(maxPlotCost) {}

QString RandomActions::next() {
    model_.beginAction();
    closer_.arm(static_cast<ModalCloser::HelpClosing>(pick(3)));
    QString what;
    if (restorePending_) {
        restorePending_ = false;
        what = restore();
    } else {
        // How often each kind of action comes, out of the sum of the weights; the help is
        // slow-ish.
        static constexpr struct {
            int weight;
            QString (RandomActions::*act)();
        } kinds[] = {
            {14, &RandomActions::clickPic},         {6, &RandomActions::pressEnter},
            {10, &RandomActions::clickLabel},       {22, &RandomActions::clickArrowOrTrack},
            {16, &RandomActions::pressKey},         {4, &RandomActions::turnWheel},
            {4, &RandomActions::dragThumb},         {10, &RandomActions::enterText},
            {4, &RandomActions::editText},          {4, &RandomActions::resize},
            {2, &RandomActions::changeWindowState}, {1, &RandomActions::openHelp},
            {2, &RandomActions::callDirectly}};
        int total = 0;
        for (const auto& kind : kinds) total += kind.weight;
        int r = pick(total);
        const auto* kind = std::begin(kinds);
        while (r >= kind->weight) r -= (kind++)->weight;
        what = (this->*kind->act)();
    }
    // The events a real loop would take before the next action: repaints, deferred deletes.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    closer_.disarm();
    return what;
}

std::pair<platform::ScrollBar*, QString> RandomActions::barToMove() {
    platform::ScrollBar* bars[] = {c_.vs, c_.vscroll1, c_.hscroll1};
    platform::ScrollBar* bar = bars[pick(3)];
    // The x range bar can reach its far end in one move.
    return {bar, keepPlotAffordable(bar == c_.hscroll1 ? 50 : c_.window->state().XRange)};
}

QString RandomActions::clickPic() {
    const QString before = keepPlotAffordable(c_.window->state().XRange);
    // A click needs somewhere to land: an area squeezed to nothing takes none.
    if (!c_.pic->rect().isEmpty()) model_.expectPlot();
    if (pick(8) == 0) {
        doubleClick(c_.pic);
        return before + "double click Pic";
    }
    QTest::mouseClick(c_.pic, Qt::LeftButton);
    return before + "click Pic";
}

QString RandomActions::pressEnter() {
    const QString before = keepPlotAffordable(c_.window->state().XRange);
    model_.expectPlot();
    const bool keypad = pick(4) == 0;
    QTest::keyClick(c_.t, keypad ? Qt::Key_Enter : Qt::Key_Return);
    return before + (keypad ? "keypad Enter in T" : "Return in T");
}

QString RandomActions::clickLabel() {
    const int which = pick(3);
    platform::ClickLabel* labels[] = {c_.lv, c_.lg, c_.lt};
    QString before;
    if (which == 0) {
        before = keepPlotAffordable(10);
        model_.expectRangeReset(Qt::Horizontal);
    } else if (which == 1) {
        before = keepPlotAffordable(c_.window->state().XRange);
        model_.expectRangeReset(Qt::Vertical);
    }
    const bool twice = pick(6) == 0;
    if (twice)
        doubleClick(labels[which]);
    else
        QTest::mouseClick(labels[which], Qt::LeftButton);
    return before + (twice ? "double click " : "click ") + labels[which]->objectName();
}

QString RandomActions::clickArrowOrTrack() {
    const auto [bar, before] = barToMove();
    static constexpr Named<QStyle::SubControl> parts[] = {
        {QStyle::SC_ScrollBarSubLine, "arrow up/left"},
        {QStyle::SC_ScrollBarAddLine, "arrow down/right"},
        {QStyle::SC_ScrollBarSubPage, "track before the thumb"},
        {QStyle::SC_ScrollBarAddPage, "track after the thumb"}};
    const auto& part = parts[pick(4)];
    const int times = 1 + (pick(4) == 0 ? pick(3) : 0);
    clickPart(bar, part.value, times);
    return before + QString("%1x %2 of %3").arg(times).arg(part.name, bar->objectName());
}

QString RandomActions::pressKey() {
    const auto [bar, before] = barToMove();
    static constexpr Named<Qt::Key> keys[] = {
        {Qt::Key_Up, "Up"},       {Qt::Key_Down, "Down"},     {Qt::Key_Left, "Left"},
        {Qt::Key_Right, "Right"}, {Qt::Key_PageUp, "PageUp"}, {Qt::Key_PageDown, "PageDown"},
        {Qt::Key_Home, "Home"},   {Qt::Key_End, "End"}};
    const auto& key = keys[pick(8)];
    QTest::keyClick(bar, key.value);
    return before + QString("%1 on %2").arg(key.name, bar->objectName());
}

QString RandomActions::turnWheel() {
    const auto [bar, before] = barToMove();
    static constexpr int deltas[] = {120, -120, 40, -40, 360, -360, 1920, -1920};
    const int delta = deltas[pick(8)];
    const QPointF at = bar->rect().center();
    QWheelEvent wheel(at, bar->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &wheel);
    return before + QString("wheel %1 on %2").arg(delta).arg(bar->objectName());
}

QString RandomActions::dragThumb() {
    const auto [bar, before] = barToMove();
    const QPoint from = scrollBarPart(bar, QStyle::SC_ScrollBarSlider).center();
    const QRect groove = scrollBarPart(bar, QStyle::SC_ScrollBarGroove);
    // Anywhere along the groove, now and then far beyond either end.
    const int along = bar->orientation() == Qt::Horizontal ? groove.width() : groove.height();
    const int offset = pick(along + 1) - along / 2 + (pick(5) == 0 ? 500 - pick(1000) : 0);
    const QPoint to =
        bar->orientation() == Qt::Horizontal ? from + QPoint(offset, 0) : from + QPoint(0, offset);
    QTest::mousePress(bar, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, bar->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, to);
    return before + QString("drag the thumb of %1 by %2").arg(bar->objectName()).arg(offset);
}

QString RandomActions::enterText() {
    const QString text = hostileText(rng_);
    const bool replace = pick(4) != 0;
    if (typeable(text) && pick(2) == 0) {
        if (replace)
            QTest::keyClick(c_.t, Qt::Key_A, Qt::ControlModifier);
        else
            QTest::keyClick(c_.t, Qt::Key_End);
        QTest::keyClicks(c_.t, text);
        return (replace ? "type over T " : "type at the end of T ") + shown(text);
    }
    if (replace) c_.t->selectAll();
    c_.t->insert(text);  // what a paste does
    return (replace ? "paste over T " : "paste into T ") + shown(text);
}

QString RandomActions::editText() {
    static constexpr struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* name;
    } edits[] = {{Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
                 {Qt::Key_Delete, Qt::NoModifier, "Delete"},
                 {Qt::Key_Home, Qt::NoModifier, "Home"},
                 {Qt::Key_Left, Qt::NoModifier, "Left"},
                 {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
                 {Qt::Key_Y, Qt::ControlModifier, "Ctrl+Y"},
                 {Qt::Key_Tab, Qt::NoModifier, "Tab"}};
    const auto& edit = edits[pick(static_cast<int>(std::size(edits)))];
    const int times = 1 + pick(5);
    for (int i = 0; i < times; ++i) QTest::keyClick(c_.t, edit.key, edit.modifiers);
    return QString("%1x %2 in T").arg(times).arg(edit.name);
}

QSize RandomActions::anySize() {
    static constexpr int kNearLimits[] = {59, 60, 391, 392};  // heights around the layout's limits
    switch (pick(8)) {
        case 0:
            return {1, 1};
        case 1:
            return {4000, 3000};
        case 2:
            return {618, 391};  // the design's client area
        case 3:
            return {1 + pick(4000), 1 + pick(3)};
        case 4:
            return {20 + pick(1200), kNearLimits[pick(4)]};
        default:
            return {1 + pick(1400), 1 + pick(1100)};
    }
}

QString RandomActions::resize() {
    const QSize size = anySize();
    c_.window->resize(size);
    return QString("resize to %1x%2, got %3x%4")
        .arg(size.width())
        .arg(size.height())
        .arg(c_.window->width())
        .arg(c_.window->height());
}

QString RandomActions::changeWindowState() {
    restorePending_ = true;
    if (pick(3) == 0) {
        c_.window->setWindowState(Qt::WindowMaximized);
        return "maximize";
    }
    model_.allowMinimized();
    c_.window->setWindowState(Qt::WindowMinimized);
    return "minimize";
}

QString RandomActions::restore() {
    c_.window->setWindowState(Qt::WindowNoState);
    return "restore";
}

QString RandomActions::openHelp() {
    model_.expectHelp();
    QTest::mouseClick(c_.image1, Qt::LeftButton);
    return "open and close the help";
}

QString RandomActions::callDirectly() {
    if (pick(2) == 0) {
        c_.window->VS_Change();
        return "VS_Change()";
    }
    const QString before = keepPlotAffordable(c_.window->state().XRange);
    model_.expectPlot();
    c_.window->Pic_Click();
    return before + "Pic_Click()";
}

QString RandomActions::keepPlotAffordable(int worstXRange) {
    if (plotCost(worstXRange) <= maxPlotCost_) return {};
    QTest::keyClick(c_.vs, Qt::Key_End);  // the coarsest level
    return "End on VS to keep the plot short, then ";
}

double RandomActions::plotCost(int xRange) {
    const QString text = c_.t->text();
    if (text != costedText_) {
        costedText_ = text;
        costPerSample_ = 0;
        bool printable = true;
        for (QChar c : text) printable = printable && c.unicode() >= 33 && c.unicode() <= 126;
        // The plot stops before sampling a text it rejects or cannot read.
        if (printable) {
            const eval::CompileResult compiled = eval::compile(text.toStdString());
            if (compiled.ok())
                costPerSample_ = static_cast<double>(compiled.program().code().size()) + 1;
        }
    }
    const float step = c_.window->state().XStep;
    if (costPerSample_ == 0 || !(step > 0)) return 0;
    const double first = text.contains("sqr") ? 0 : -xRange;
    return ((xRange - first) / step + 1) * costPerSample_;
}

}  // namespace tracewell::stress
