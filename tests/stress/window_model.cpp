#include "window_model.h"

#include <QApplication>
#include <QTest>
#include <algorithm>

#include "dialog/dialog.h"
#include "platform/twips.h"
#include "plot/step_table.h"
#include "support/same_bits.h"

namespace tracewell::stress {
namespace {

// The expression box keeps at most this many characters, and the state counts no more.
constexpr int kLongestText = 32767;

// Outer heights in twips: above the first the window lays out its controls, above the second
// it picks the finer of its two start levels.
constexpr double kLayoutHeight = 1395, kTallHeight = 6375;
constexpr double kFrameHeight = 510;  // twips that the design counts above and below the client

template <class T>
T* named(app::Fgraph& window, const char* name) {
    return window.findChild<T*>(name);
}

using tracewell::testing::sameBits;

bool rowHasInk(const QImage& image, int y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    return std::any_of(row, row + image.width(), [](QRgb p) { return (p | 0xff000000) == kInk; });
}

bool blank(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        if (std::any_of(row, row + image.width(),
                        [](QRgb p) { return (p | 0xff000000) != 0xffffffff; }))
            return false;
    }
    return true;
}

}  // namespace

Controls::Controls(app::Fgraph& w)
    : window(&w),
      pic(named<platform::PictureBox>(w, "Pic")),
      t(named<QLineEdit>(w, "T")),
      lb(named<QLabel>(w, "Lb")),
      lt(named<platform::ClickLabel>(w, "Lt")),
      lg(named<platform::ClickLabel>(w, "Lg")),
      lv(named<platform::ClickLabel>(w, "Lv")),
      image1(named<platform::ClickLabel>(w, "Image1")),
      vs(named<platform::ScrollBar>(w, "VS")),
      vscroll1(named<platform::ScrollBar>(w, "VScroll1")),
      hscroll1(named<platform::ScrollBar>(w, "HScroll1")) {}

WindowModel::WindowModel(app::Fgraph& window) : controls_(window) {
    const plot::PlotState& s = window.state();
    expectedXRange_ = s.XRange;
    expectedYRange_ = s.YRange;
    expectedStep_ = s.XStep;
    expectedExprLen_ = s.ExprLen;
    window.setBeep([this] { ++beeps_; });

    // Connected after the window's own handlers, so these run once the window has reacted.
    QObject::connect(controls_.hscroll1, &platform::ScrollBar::changed, &observer_, [this] {
        expectedXRange_ = controls_.hscroll1->currentValue();
        rangeBarMoved_ = true;
    });
    QObject::connect(controls_.vscroll1, &platform::ScrollBar::changed, &observer_, [this] {
        expectedYRange_ = controls_.vscroll1->currentValue();
        rangeBarMoved_ = true;
    });
    QObject::connect(controls_.vs, &platform::ScrollBar::changed, &observer_, [this] {
        // Odd levels have no step of their own: the last even level's step stays.
        if (const auto step = plot::StepTable::stepFor(controls_.vs->currentValue()))
            expectedStep_ = *step;
    });
}

WindowModel::~WindowModel() {
    if (controls_.window) controls_.window->setBeep({});  // the counter goes with the model
}

void WindowModel::beginAction() {
    plotExpected_ = helpExpected_ = minimizedAllowed_ = rangeBarMoved_ = false;
    beepsBefore_ = beeps_;
    sizeBefore_ = controls_.window->size();
    statesBefore_ = controls_.window->windowState();
    pictureKeyBefore_ = controls_.pic->surface().image().cacheKey();
}

void WindowModel::expectRangeReset(Qt::Orientation axis) {
    if (axis == Qt::Horizontal)
        expectedXRange_ = 10;
    else
        expectedYRange_ = 2;
    plotExpected_ = true;
}

bool WindowModel::resized() const {
    return controls_.window->size() != sizeBefore_ ||
           controls_.window->windowState() != statesBefore_;
}

QStringList WindowModel::endAction() {
    QStringList out;
    checkControls(out);
    if (!out.isEmpty()) return out;  // nothing else can be looked at
    // A plot that went on in the background is let end: the checks are of what it leaves.
    if (!QTest::qWaitFor([&] { return !controls_.window->plotting(); }, 60'000))
        out << "a plot went on for a minute";
    if (plotExpected_ || rangeBarMoved_) {
        expectedExprLen_ =
            static_cast<int>(std::min<qsizetype>(controls_.t->text().size(), kLongestText));
        count();
    }
    counts_.resizes += resized();
    counts_.helps += helpExpected_;
    checkScale(out);
    checkPicture(out);
    checkResize(out);
    checkHelp(out);
    return out;
}

void WindowModel::count() {
    const plot::PlotState& s = controls_.window->state();
    ++counts_.plots;
    if (!sameBits(s.XStep, *plot::StepTable::stepFor(plot::StepTable::kFinestLevel))) return;
    ++counts_.finestPlots;
    counts_.millionPlots += s.XRange >= 40;
}

void WindowModel::checkControls(QStringList& out) const {
    const Controls& c = controls_;
    if (!c.window) {
        out << "the window is gone";
        return;
    }
    const Controls found(*c.window);
    const bool all = c.pic && c.t && c.lb && c.lt && c.lg && c.lv && c.image1 && c.vs &&
                     c.vscroll1 && c.hscroll1;
    if (!all || found.pic != c.pic || found.t != c.t || found.lb != c.lb || found.lt != c.lt ||
        found.lg != c.lg || found.lv != c.lv || found.image1 != c.image1 || found.vs != c.vs ||
        found.vscroll1 != c.vscroll1 || found.hscroll1 != c.hscroll1)
        out << "a control is gone or was replaced";
    if (c.window->isMinimized() && !minimizedAllowed_) out << "the window minimized itself";
}

void WindowModel::checkScale(QStringList& out) const {
    const Controls& c = controls_;
    const plot::PlotState& s = c.window->state();
    if (s.XRange != expectedXRange_ || s.XRange < 1 || s.XRange > 50)
        out << QString("XRange %1, expected %2").arg(s.XRange).arg(expectedXRange_);
    if (s.YRange != expectedYRange_ || s.YRange < 1 || s.YRange > 25)
        out << QString("YRange %1, expected %2").arg(s.YRange).arg(expectedYRange_);
    // The caption follows the range, not the bar: a label click resets only the range.
    if (c.lv->text() != "Ox: " + QString::number(expectedXRange_))
        out << "Lv shows \"" + c.lv->text() + "\"";
    if (c.lg->text() != "Oy: " + QString::number(expectedYRange_))
        out << "Lg shows \"" + c.lg->text() + "\"";
    const int x = c.hscroll1->currentValue(), y = c.vscroll1->currentValue();
    if (x < 1 || x > 50 || y < 1 || y > 25) out << QString("range bars at %1 and %2").arg(x).arg(y);

    const int level = c.vs->currentValue();
    if (level < 0 || level > plot::StepTable::kFinestLevel)
        out << QString("precision level %1").arg(level);
    if (c.lt->text() != QString::number(level)) out << "Lt shows \"" + c.lt->text() + "\"";
    if (!sameBits(s.XStep, expectedStep_))
        out << QString("XStep %1, expected %2 at level %3")
                   .arg(s.XStep, 0, 'g', 9)
                   .arg(expectedStep_, 0, 'g', 9)
                   .arg(level);

    if (s.ExprLen != expectedExprLen_)
        out << QString("ExprLen %1, expected %2").arg(s.ExprLen).arg(expectedExprLen_);
    for (int code = 33; code <= 126; ++code)
        if (s.CharTable(code) != QString(QChar(code)))
            out << QString("CharTable(%1) is \"%2\"").arg(code).arg(s.CharTable(code));
    if (!s.CharTable(32).isEmpty() || !s.CharTable(127).isEmpty())
        out << "CharTable has entries beyond 33..126";
}

void WindowModel::checkPicture(QStringList& out) const {
    const platform::PictureBox& pic = *controls_.pic;
    const QImage& image = pic.surface().image();
    const QSize contents = pic.contentsRect().size().expandedTo(QSize(0, 0));
    // An area squeezed to nothing holds a null image, whose size reads 0x0.
    const QSize expected = contents.isEmpty() ? QSize(0, 0) : contents * pic.devicePixelRatioF();
    if (pic.surface().size() != contents || image.size() != expected)
        out << QString("Pic's image is %1x%2 for contents of %3x%4")
                   .arg(image.width())
                   .arg(image.height())
                   .arg(contents.width())
                   .arg(contents.height());
    const bool plotted = plotExpected_ || rangeBarMoved_;
    // Every plot draws the x axis across the middle of the area.
    if (plotted && !image.isNull() && !rowHasInk(image, image.height() / 2))
        out << "a plot drew no x axis";
    if (!plotted && !resized() && image.cacheKey() != pictureKeyBefore_)
        out << "the picture changed though nothing asked for a plot";
}

void WindowModel::checkResize(QStringList& out) const {
    if (!resized()) return;
    const app::Fgraph& w = *controls_.window;
    if (!blank(controls_.pic->surface().image())) out << "a resize left a drawing in the plot area";
    if (w.isMinimized()) return;
    const double outerHeight = platform::toTwips(w.height(), &w) + kFrameHeight;
    if (outerHeight <= kLayoutHeight) return;
    const int level = outerHeight > kTallHeight ? 8 : 6;
    if (controls_.vs->currentValue() != level)
        out << QString("after a resize to %1x%2 the level is %3, expected %4")
                   .arg(w.width())
                   .arg(w.height())
                   .arg(controls_.vs->currentValue())
                   .arg(level);
}

void WindowModel::checkHelp(QStringList& out) const {
    const int beeps = beeps_ - beepsBefore_;
    if (beeps != (helpExpected_ ? 1 : 0))
        out << QString("%1 beeps, expected %2").arg(beeps).arg(helpExpected_ ? 1 : 0);
    if (const QWidget* modal = QApplication::activeModalWidget())
        out << "a modal window is still open: " + modal->objectName();
    if (helpExpected_) {
        const dialog::Dialog* help = controls_.window->helpDialog();
        if (!help || help->window()) out << "the help left its window behind";
    }
}

}  // namespace tracewell::stress
