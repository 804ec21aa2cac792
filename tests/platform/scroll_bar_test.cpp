#include "platform/scroll_bar.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>
#include <vector>

#include "platform/twips.h"

namespace tracewell::platform {
namespace {

using Part = QStyle::SubControl;

// The main window's three bars.
const ScrollBar::Design kXRange{Qt::Horizontal, 1, 50, 10, 1, 1};
const ScrollBar::Design kYRange{Qt::Vertical, 25, 1, 2, 1, 1};
const ScrollBar::Design kPrecision{Qt::Vertical, 14, 0, 6, 2, 3};

// A bar shown at a usable size that records the value seen at each change and finds its arrows,
// track and thumb through the style, where a user would click.
class TestBar : public ScrollBar {
public:
    explicit TestBar(const Design& design) : ScrollBar(design) {
        resize(design.orientation == Qt::Vertical ? QSize(17, 200) : QSize(200, 17));
        show();
        connect(this, &ScrollBar::changed, [this] { seen.push_back(currentValue()); });
    }

    QRect rectOf(Part part) const {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_ScrollBar, &option, part, this);
    }

    void click(Part part) { QTest::mouseClick(this, Qt::LeftButton, {}, rectOf(part).center()); }

    void wheel(QPoint angle) {
        const QPointF at = rect().center();
        QWheelEvent event(at, mapToGlobal(at), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(this, &event);
    }

    std::vector<int> seen;  // currentValue() inside each changed()
};

struct ClickCase {
    const char* name;
    ScrollBar::Design design;
    int start;
    Part part;
    int clicks;
    std::vector<int> seen;
};

class ScrollBarClicks : public testing::TestWithParam<ClickCase> {};

TEST_P(ScrollBarClicks, MoveByTheDesignStepsAndReportEachRealMove) {
    const ClickCase& c = GetParam();
    TestBar bar(c.design);
    bar.setCurrentValue(c.start);
    bar.seen.clear();
    for (int i = 0; i < c.clicks; ++i) bar.click(c.part);
    EXPECT_EQ(bar.seen, c.seen);
    EXPECT_EQ(bar.currentValue(), c.seen.empty() ? c.start : c.seen.back());
}

constexpr Part kUpOrLeft = QStyle::SC_ScrollBarSubLine;
constexpr Part kDownOrRight = QStyle::SC_ScrollBarAddLine;
constexpr Part kTrackAbove = QStyle::SC_ScrollBarSubPage;
constexpr Part kTrackBelow = QStyle::SC_ScrollBarAddPage;

INSTANTIATE_TEST_SUITE_P(
    Arrows, ScrollBarClicks,
    testing::Values(ClickCase{"XLeftStopsAt1", kXRange, 3, kUpOrLeft, 4, {2, 1}},
                    ClickCase{"XRightStopsAt50", kXRange, 48, kDownOrRight, 4, {49, 50}},
                    ClickCase{"YUpGrowsTo25", kYRange, 23, kUpOrLeft, 4, {24, 25}},
                    ClickCase{"YDownShrinksTo1", kYRange, 2, kDownOrRight, 3, {1}},
                    ClickCase{"PrecisionUpBy2To14", kPrecision, 6, kUpOrLeft, 6, {8, 10, 12, 14}},
                    ClickCase{"PrecisionDownBy2", kPrecision, 6, kDownOrRight, 1, {4}},
                    ClickCase{"PrecisionDownStopsAt0", kPrecision, 1, kDownOrRight, 2, {0}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Track, ScrollBarClicks,
    testing::Values(ClickCase{"XLeftOfThumb", kXRange, 10, kTrackAbove, 1, {9}},
                    ClickCase{"XRightOfThumb", kXRange, 10, kTrackBelow, 1, {11}},
                    ClickCase{"YAboveThumb", kYRange, 10, kTrackAbove, 1, {11}},
                    ClickCase{"YBelowThumb", kYRange, 10, kTrackBelow, 1, {9}},
                    ClickCase{"PrecisionBelowBy3To0", kPrecision, 6, kTrackBelow, 3, {3, 0}},
                    ClickCase{"PrecisionAboveBy3To14", kPrecision, 6, kTrackAbove, 3, {9, 12, 14}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScrollBar, PrecisionBarWalksLikeTheDesign) {
    TestBar bar(kPrecision);
    EXPECT_EQ(bar.currentValue(), 6);
    bar.click(kUpOrLeft);
    EXPECT_EQ(bar.currentValue(), 8);
    bar.setCurrentValue(6);
    bar.click(kTrackBelow);
    EXPECT_EQ(bar.currentValue(), 3);
    bar.click(kTrackBelow);
    EXPECT_EQ(bar.currentValue(), 0);
    for (int i = 0; i < 9; ++i) bar.click(kUpOrLeft);
    EXPECT_EQ(bar.currentValue(), 14);
    EXPECT_EQ(bar.seen, (std::vector<int>{8, 6, 3, 0, 2, 4, 6, 8, 10, 12, 14}));
}

TEST(ScrollBar, TrackStaysClickableAtTheDesignSizes) {
    // The window's bars at 96 dpi: VS 200 x 495 twips, VScroll1 255 x 495, HScroll1 495 x 255.
    const struct {
        ScrollBar::Design design;
        QSizeF twips;
        int start, afterBelow, afterAbove;  // "below" is towards the bottom or right end
    } rows[] = {
        {kPrecision, {200, 495}, 6, 3, 6},
        {kYRange, {255, 495}, 13, 12, 13},
        {kXRange, {495, 255}, 25, 26, 25},
    };
    for (const auto& row : rows) {
        TestBar bar(row.design);
        bar.resize(toPixels(QRectF(QPointF(), row.twips)).size());
        bar.setCurrentValue(row.start);
        ASSERT_FALSE(bar.rectOf(kTrackBelow).isEmpty()) << row.twips.width();
        bar.click(kTrackBelow);
        EXPECT_EQ(bar.currentValue(), row.afterBelow);
        ASSERT_FALSE(bar.rectOf(kTrackAbove).isEmpty()) << row.twips.width();
        bar.click(kTrackAbove);
        EXPECT_EQ(bar.currentValue(), row.afterAbove);
    }
}

TEST(ScrollBar, LargerValueEndIsDrawnOnTop) {
    // The thumb must sit where the value is: near the top for a high value on a reversed bar.
    TestBar bar(kYRange);
    bar.setCurrentValue(25);
    const int top = bar.rectOf(QStyle::SC_ScrollBarSlider).top();
    bar.setCurrentValue(1);
    const int bottom = bar.rectOf(QStyle::SC_ScrollBarSlider).top();
    EXPECT_LT(top, bottom);
    EXPECT_EQ(top, bar.rectOf(QStyle::SC_ScrollBarGroove).top());
}

struct KeyCase {
    const char* name;
    ScrollBar::Design design;
    int start;
    Qt::Key key;
    int expected;
};

class ScrollBarKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(ScrollBarKeys, MoveTowardsTheEndTheKeyPointsTo) {
    const KeyCase& c = GetParam();
    TestBar bar(c.design);
    ASSERT_EQ(bar.focusPolicy(), Qt::StrongFocus);  // keys only reach a bar that takes focus
    bar.setCurrentValue(c.start);
    bar.seen.clear();
    QTest::keyClick(&bar, c.key);
    EXPECT_EQ(bar.currentValue(), c.expected);
    EXPECT_EQ(bar.seen, std::vector<int>{c.expected});
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ScrollBarKeys,
    testing::Values(KeyCase{"XLeft", kXRange, 10, Qt::Key_Left, 9},
                    KeyCase{"XRight", kXRange, 10, Qt::Key_Right, 11},
                    KeyCase{"XPageUp", kXRange, 10, Qt::Key_PageUp, 9},
                    KeyCase{"XPageDown", kXRange, 10, Qt::Key_PageDown, 11},
                    KeyCase{"XHome", kXRange, 10, Qt::Key_Home, 1},
                    KeyCase{"XEnd", kXRange, 10, Qt::Key_End, 50},
                    KeyCase{"YUp", kYRange, 2, Qt::Key_Up, 3},
                    KeyCase{"YDown", kYRange, 2, Qt::Key_Down, 1},
                    KeyCase{"YPageUp", kYRange, 2, Qt::Key_PageUp, 3},
                    KeyCase{"YHome", kYRange, 2, Qt::Key_Home, 25},
                    KeyCase{"YEnd", kYRange, 20, Qt::Key_End, 1},
                    KeyCase{"PrecisionUp", kPrecision, 6, Qt::Key_Up, 8},
                    KeyCase{"PrecisionDown", kPrecision, 6, Qt::Key_Down, 4},
                    KeyCase{"PrecisionPageUp", kPrecision, 6, Qt::Key_PageUp, 9},
                    KeyCase{"PrecisionPageDown", kPrecision, 6, Qt::Key_PageDown, 3},
                    KeyCase{"PrecisionPageUpStopsAt14", kPrecision, 13, Qt::Key_PageUp, 14},
                    KeyCase{"PrecisionHome", kPrecision, 6, Qt::Key_Home, 14},
                    KeyCase{"PrecisionEnd", kPrecision, 6, Qt::Key_End, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScrollBar, ArrowKeysFollowAMirroredHorizontalBar) {
    TestBar bar(kXRange);
    bar.setLayoutDirection(Qt::RightToLeft);
    bar.setCurrentValue(1);  // the start end is now drawn on the right
    ASSERT_GT(bar.rectOf(QStyle::SC_ScrollBarSlider).left(), bar.width() / 2);
    bar.setCurrentValue(10);
    bar.seen.clear();
    QTest::keyClick(&bar, Qt::Key_Left);
    QTest::keyClick(&bar, Qt::Key_Left);
    QTest::keyClick(&bar, Qt::Key_Right);
    EXPECT_EQ(bar.seen, (std::vector<int>{11, 12, 11}));
}

TEST(ScrollBar, KeyAtTheEndReportsNothing) {
    TestBar bar(kYRange);
    bar.setCurrentValue(25);
    bar.seen.clear();
    QTest::keyClick(&bar, Qt::Key_Up);
    QTest::keyClick(&bar, Qt::Key_PageUp);
    QTest::keyClick(&bar, Qt::Key_Home);
    EXPECT_TRUE(bar.seen.empty());
    EXPECT_EQ(bar.currentValue(), 25);
}

TEST(ScrollBar, DraggedThumbReportsOnceOnRelease) {
    for (const auto& design : {kXRange, kYRange, kPrecision}) {
        TestBar bar(design);
        const int before = bar.currentValue();
        const QPoint grab = bar.rectOf(QStyle::SC_ScrollBarSlider).center();
        // Drag towards the far end of the track, a few pixels at a time.
        const QPoint far = bar.rectOf(QStyle::SC_ScrollBarAddPage).bottomRight();
        QTest::mousePress(&bar, Qt::LeftButton, {}, grab);
        for (int step = 1; step <= 5; ++step) {
            QTest::mouseMove(&bar, grab + (far - grab) * step / 5);
            EXPECT_TRUE(bar.seen.empty()) << "step " << step;
            EXPECT_EQ(bar.currentValue(), before);
        }
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, far);
        ASSERT_EQ(bar.seen.size(), 1u);
        EXPECT_EQ(bar.seen[0], design.endValue);
        EXPECT_EQ(bar.currentValue(), design.endValue);
    }
}

TEST(ScrollBar, ThumbDraggedBackToItsPlaceReportsNothing) {
    TestBar bar(kXRange);
    const QPoint grab = bar.rectOf(QStyle::SC_ScrollBarSlider).center();
    QTest::mousePress(&bar, Qt::LeftButton, {}, grab);
    QTest::mouseMove(&bar, grab + QPoint(40, 0));
    QTest::mouseMove(&bar, grab);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, grab);
    EXPECT_TRUE(bar.seen.empty());
    EXPECT_EQ(bar.currentValue(), 10);
}

TEST(ScrollBar, ThumbStaysSmallAndArrowsKeepTheirSize) {
    for (const auto& design : {kXRange, kYRange, kPrecision}) {
        TestBar bar(design);
        const auto length = [&](Part part) {
            const QRect r = bar.rectOf(part);
            return design.orientation == Qt::Vertical ? r.height() : r.width();
        };
        EXPECT_GT(length(QStyle::SC_ScrollBarSlider), 0);
        EXPECT_LE(length(QStyle::SC_ScrollBarSlider), length(QStyle::SC_ScrollBarGroove) / 4);
        EXPECT_GE(length(kUpOrLeft), 10);
        EXPECT_GE(length(kDownOrRight), 10);
    }
}

TEST(ScrollBar, SetCurrentValueReportsOnlyRealChangesAtOnce) {
    TestBar bar(kPrecision);
    bar.setCurrentValue(6);
    EXPECT_TRUE(bar.seen.empty());
    bar.setCurrentValue(8);
    EXPECT_EQ(bar.seen, std::vector<int>{8});  // inside the call, already showing the new value
    bar.setCurrentValue(8);
    EXPECT_EQ(bar.seen, std::vector<int>{8});
}

TEST(ScrollBar, SetCurrentValueClampsIntoTheRange) {
    struct Case {
        ScrollBar::Design design;
        int requested;
        int expected;
    };
    const Case cases[] = {
        {kXRange, 0, 1},         {kXRange, 51, 50},        {kXRange, -40000, 1},
        {kYRange, 26, 25},       {kYRange, -3, 1},         {kPrecision, 15, 14},
        {kPrecision, -1, 0},     {kPrecision, INT_MIN, 0}, {kPrecision, INT_MAX, 14},
        {kPrecision, 32768, 14},
    };
    for (const Case& c : cases) {
        TestBar bar(c.design);
        bar.setCurrentValue(c.requested);
        EXPECT_EQ(bar.currentValue(), c.expected) << c.requested;
    }
}

TEST(ScrollBar, DesignOutside16BitsIsClamped) {
    // Ends beyond 16 bits, an initial value outside the range and steps below 1.
    TestBar wide({Qt::Vertical, 100000, -100000, 200000, 0, -5});
    EXPECT_EQ(wide.currentValue(), 32767);
    wide.setCurrentValue(INT_MIN);
    EXPECT_EQ(wide.currentValue(), -32768);
    wide.click(kUpOrLeft);
    EXPECT_EQ(wide.currentValue(), -32767);  // an arrow step of at least 1
    wide.click(kTrackAbove);
    EXPECT_EQ(wide.currentValue(), -32766);  // and a track step of at least 1

    TestBar flat({Qt::Horizontal, -32768, -32768, 5, 1, 1});
    EXPECT_EQ(flat.currentValue(), -32768);
    flat.click(kDownOrRight);
    EXPECT_TRUE(flat.seen.empty());
}

TEST(ScrollBar, HugeTrackStepStopsAtTheEnds) {
    TestBar bar({Qt::Vertical, 32767, -32768, 0, 32767, 32767});
    QTest::keyClick(&bar, Qt::Key_PageUp);
    QTest::keyClick(&bar, Qt::Key_PageUp);
    EXPECT_EQ(bar.seen, std::vector<int>{32767});
    QTest::keyClick(&bar, Qt::Key_PageDown);
    QTest::keyClick(&bar, Qt::Key_PageDown);
    QTest::keyClick(&bar, Qt::Key_PageDown);
    EXPECT_EQ(bar.seen, (std::vector<int>{32767, 0, -32767, -32768}));
}

TEST(ScrollBar, WheelNotchMovesLikeAnArrow) {
    TestBar precision(kPrecision);
    precision.wheel({0, 120});  // rolled away from the user: up
    precision.wheel({0, 60});   // half notches add up
    precision.wheel({0, 60});
    precision.wheel({0, -120});
    EXPECT_EQ(precision.seen, (std::vector<int>{8, 10, 8}));
    precision.wheel({0, 100000});  // an absurd delta moves a bounded distance, to the end
    EXPECT_EQ(precision.currentValue(), 14);

    TestBar x(kXRange);
    x.wheel({0, -120});  // down moves a horizontal bar right
    x.wheel({120, 0});   // a sideways wheel to the left moves it left
    x.wheel({120, 0});
    EXPECT_EQ(x.seen, (std::vector<int>{11, 10, 9}));
}

}  // namespace
}  // namespace tracewell::platform
