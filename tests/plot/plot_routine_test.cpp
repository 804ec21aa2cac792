// The plot routine: axes, the character check, the first x, the samples and the state left.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "eval/x_text.h"
#include "plot/label_numbers.h"
#include "plot_test_support.h"

namespace tracewell::plot {
namespace {

using testing::PlotRig;
using testing::PlotSamples;

TEST(PlotRoutine, TickLabelsReserveASignPosition) {
    EXPECT_EQ(signReservingNumber(1), " 1");
    EXPECT_EQ(signReservingNumber(0), " 0");
    EXPECT_EQ(signReservingNumber(-1), "-1");
    EXPECT_EQ(signReservingNumber(-50), "-50");
    EXPECT_EQ(captionNumber(10), "10");
    EXPECT_EQ(captionNumber(-3), "-3");
}

TEST(PlotRoutine, AxesTicksAndLabelsForRangeOne) {
    PlotRig rig(1, 1);
    rig.plot("x/0");  // every sample undefined: only the axes remain
    for (double v : {-1.0, 0.0}) {
        EXPECT_TRUE(rig.inked({v, 0})) << "x tick " << v;
        EXPECT_TRUE(rig.inked({0, v + 1})) << "y tick " << v + 1;
    }
    EXPECT_TRUE(rig.inked({0.5, 0}));   // the x axis
    EXPECT_TRUE(rig.inked({0, -0.5}));  // the y axis
    // The label of -1 begins with its minus sign at the tick; the label of 1 with a blank.
    const QImage& im = rig.surface.image();
    auto inkRight = [&](QPoint at, int from, int to) {
        int n = 0;
        for (int dx = from; dx < to; ++dx)
            for (int dy = 2; dy < 14; ++dy)
                if (im.rect().contains(at + QPoint(dx, dy)))
                    n += im.pixelColor(at + QPoint(dx, dy)) == kInk;
        return n;
    };
    const QPoint minusOne = rig.surface.toDevice({-1, 0});
    const QPoint one = rig.surface.toDevice({0, 1});
    EXPECT_GT(inkRight(minusOne, 1, 4), 0);  // the minus sign
    EXPECT_EQ(inkRight(one, 1, 3), 0);       // the blank before "1"
    EXPECT_GT(inkRight(one, 4, 14), 0);
}

TEST(PlotRoutine, RepeatedRunsGiveThePictureOfAFirstRun) {
    // From the third run at one range on, the axes are put back rather than drawn.
    auto firstRun = [](int yRange, QColor ink) {
        PlotRig fresh(10, yRange);
        fresh.surface.setForeground(ink);
        fresh.plot("x/3");
        return fresh.surface.image().copy();
    };
    PlotRig rig(10, 2);
    for (int run = 0; run < 3; ++run) rig.plot("sin(x)");
    rig.plot("x/3");
    EXPECT_EQ(rig.surface.image(), firstRun(2, kInk));
    rig.state.YRange = 3;  // another scale
    for (int run = 0; run < 3; ++run) rig.plot("x/3");
    EXPECT_EQ(rig.surface.image(), firstRun(3, kInk));
    rig.surface.setForeground(Qt::red);  // another look
    rig.plot("x/3");
    EXPECT_EQ(rig.surface.image(), firstRun(3, Qt::red));
}

TEST(PlotRoutine, SamplesAndStateLeftByARun) {
    PlotRig rig(10, 2, 0);  // step 0.1
    PlotSamples samples;
    ASSERT_FALSE(rig.plot("cos(x)", &samples));
    ASSERT_FALSE(rig.plot("sin(x)", &samples));  // the second run's samples replace the first's
    ASSERT_EQ(samples.xs.size(), 200u);
    ASSERT_EQ(samples.ys.size(), 200u);
    ASSERT_EQ(samples.failures.size(), 200u);
    EXPECT_EQ(samples.xs.front(), -10.0f);
    EXPECT_NEAR(samples.xs.back(), 9.9f, 1e-4);
    EXPECT_GT(rig.state.CurX, 10.0f);  // the x that ended the loop lies just above the bound
    EXPECT_LT(rig.state.CurX, 10.01f);
    EXPECT_EQ(rig.state.ExprText, "sin(x)");
    EXPECT_EQ(rig.state.ExprLen, 6);
    EXPECT_EQ(rig.state.XStart, -10);
    EXPECT_EQ(rig.state.Idx, 7);  // left by the last scan of the text
    EXPECT_EQ(rig.errorEvents, 0);
    // x drifts: the samples are sums in single precision, not multiples of the step.
    float x = -10;
    for (size_t i = 0; i < samples.xs.size(); ++i, x = x + 0.1f) ASSERT_EQ(samples.xs[i], x);
    // Each point is where its single-precision value belongs.
    for (size_t i = 0; i < samples.xs.size(); i += 7) {
        const double expected = std::sin(eval::xValue(samples.xs[i]));
        EXPECT_NEAR(samples.ys[i], expected, 1e-6);
        EXPECT_TRUE(rig.inked({samples.xs[i], samples.ys[i]})) << samples.xs[i];
    }
}

// Any number of workers draws, lists and reports what the calling thread alone does, and
// leaves the same state: on dense plots (columns found piece by piece) and sparse ones, with
// failures, values beyond the single range and a start at 0.
TEST(PlotRoutine, EveryThreadCountGivesTheRunOfOneThread) {
    const struct {
        int xRange, level;
        const char* text;
    } cases[] = {
        // Each with more than a million samples times instructions, as the workers take.
        {10, 14, "sin(x)*1.5+log(x)"}, {50, 10, "1/(x-1)+tan(x)"},
        {50, 10, "10^(x/2)"},          {10, 14, "sqr(x)"},
        {50, 10, "log(-x-60)"},  // no value anywhere
    };
    auto message = [](const PlotRig& rig) {
        const auto problem = rig.plotter.runProblem();
        return problem ? problem->message : QString();
    };
    for (const auto& c : cases) {
        PlotRig one(c.xRange, 2, c.level, 0);
        PlotSamples want;
        ASSERT_FALSE(one.plot(c.text, &want));
        for (const int workers : {1, 2, 3}) {
            SCOPED_TRACE(std::string(c.text) + ", workers " + std::to_string(workers));
            PlotRig rig(c.xRange, 2, c.level, workers);
            PlotSamples got;
            ASSERT_FALSE(rig.plot(c.text, &got));
            EXPECT_EQ(rig.surface.image(), one.surface.image());
            EXPECT_EQ(got.xs, want.xs);
            ASSERT_EQ(got.ys.size(), want.ys.size());
            EXPECT_EQ(std::memcmp(got.ys.data(), want.ys.data(), want.ys.size() * sizeof(float)),
                      0);
            EXPECT_EQ(got.failures, want.failures);
            EXPECT_EQ(rig.errorEvents, one.errorEvents);
            EXPECT_EQ(rig.state.CurX, one.state.CurX);
            EXPECT_EQ(rig.state.Idx, one.state.Idx);
            EXPECT_EQ(rig.state.XStart, one.state.XStart);
            EXPECT_EQ(message(rig), message(one));
        }
    }
}

TEST(PlotRoutine, RejectedTextsDrawTheAxesOnly) {
    const QString blank = ": put word operators between brackets, as in (x)Mod(3)";
    struct Row {
        QString text;
        int position;
        QString message;
    } rows[] = {
        {"sin (x)", 4, "Blanks are not accepted (position 4)" + blank},
        {" x", 1, "Blanks are not accepted (position 1)" + blank},
        {"x\t", 2, "A tab (U+0009) at position 2 is not accepted"},
        {"x\n+1", 2, "A line break (U+000A) at position 2 is not accepted"},
        {QString::fromUtf8("\xd1\x85"), 1,
         QString::fromUtf8("Character '\xd1\x85' (U+0445) at position 1 is not accepted; the "
                           "variable is the Latin x")},
        {QString::fromUtf8("x\xc2\xb2"), 2,
         QString::fromUtf8("Character '\xc2\xb2' (U+00B2) at position 2 is not accepted; a "
                           "square is x^2")},
        {QString("x") + QChar(0), 2, "A null character (U+0000) at position 2 is not accepted"},
        {QString("x") + QChar(0x200E), 2,
         "An invisible character (U+200E) at position 2 is not accepted"},
        {QString::fromUtf8("x\xf0\x9f\x98\x80"), 2,
         QString::fromUtf8("Character '\xf0\x9f\x98\x80' (U+1F600) at position 2 is not accepted")},
    };
    for (const Row& row : rows) {
        PlotRig rig;
        const auto problem = rig.plot(row.text);
        ASSERT_TRUE(problem) << row.text.toStdString();
        EXPECT_EQ(problem->position, row.position);
        EXPECT_EQ(problem->message, row.message);
        EXPECT_EQ(rig.state.XStart, 0);  // the match flag of the rejected character
        EXPECT_FALSE(rig.inked({1.5, std::sin(1.5)}));
        EXPECT_TRUE(rig.inked({0.5, 0}));
    }
}

TEST(PlotRoutine, TextsThatCannotBeReadSayWhereAndDrawNoCurve) {
    PlotRig axesOnly;
    axesOnly.plot("x/0");
    PlotRig rig;
    const auto problem = rig.plot("ep(x)");
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->position, 1);
    EXPECT_EQ(problem->message, "Unknown function 'ep': position 1");
    EXPECT_EQ(rig.inkedPixels(), axesOnly.inkedPixels());
    const auto sqrt = rig.plot("2*sqrt(x)");  // the hint follows the engine's words
    ASSERT_TRUE(sqrt);
    EXPECT_EQ(sqrt->message, "Unknown function 'sqrt': position 3; the square root is Sqr(x)");
    EXPECT_EQ(sqrt->length, 4);
    ASSERT_TRUE(rig.plot("sin(x"));
    EXPECT_EQ(rig.plot("sin(x")->position, 6);
}

TEST(PlotRoutine, FirstXIsZeroForSquareRoots) {
    PlotRig rig(10, 2, 0);
    PlotSamples samples;
    rig.plot("sqr(x)", &samples);
    EXPECT_EQ(rig.state.XStart, 0);
    ASSERT_FALSE(samples.xs.empty());
    EXPECT_EQ(samples.xs.front(), 0.0f);
    EXPECT_EQ(samples.ys.front(), 0.0f);
    EXPECT_EQ(rig.errorEvents, 0);

    // A capital S does not count: sampling starts at -10, where the root is undefined.
    PlotRig capital(10, 2, 0);
    samples = {};
    capital.plot("Sqr(x)", &samples);
    EXPECT_EQ(capital.state.XStart, -10);
    EXPECT_EQ(samples.xs.front(), -10.0f);
    EXPECT_EQ(samples.failures.front(), eval::Failure::InvalidArgument);
    EXPECT_EQ(capital.errorEvents, 100);  // -10 .. -0.1 (0 itself is never reached exactly)
    EXPECT_EQ(capital.state.Idx, 0);      // the error event's doing
}

TEST(PlotRoutine, UndefinedSamplesSetNoPointAndTheRunGoesOn) {
    PlotRig rig(10, 2, 0);
    PlotSamples samples;
    ASSERT_FALSE(rig.plot("log(x)", &samples));
    ASSERT_EQ(samples.xs.size(), 200u);
    int defined = 0;
    for (size_t i = 0; i < samples.xs.size(); ++i) {
        const bool ok = samples.failures[i] == eval::Failure::None;
        EXPECT_EQ(ok, samples.xs[i] > 0) << samples.xs[i];
        defined += ok;
    }
    EXPECT_EQ(rig.errorEvents, 200 - defined);
    EXPECT_TRUE(rig.inked({2.0f, static_cast<float>(std::log(eval::xValue(2.0f)))}));

    // A value beyond the single range is undefined too.
    PlotRig huge(10, 2, 0);
    samples = {};
    huge.plot("10^(x*10)", &samples);
    EXPECT_EQ(samples.failures.back(), eval::Failure::Overflow);
}

TEST(PlotRoutine, XIsAValueNotText) {
    PlotRig rig(10, 2, 0);
    PlotSamples samples;
    rig.plot("exp(x)", &samples);  // the x inside "exp" is no variable
    EXPECT_EQ(samples.failures.front(), eval::Failure::None);
    samples = {};
    rig.plot("x^2", &samples);  // a negative x keeps its sign inside the power
    EXPECT_NEAR(samples.ys.front(), 100.0f, 1e-3);
    samples = {};
    rig.plot("-x^2", &samples);
    EXPECT_NEAR(samples.ys.front(), -100.0f, 1e-3);
}

TEST(PlotRoutine, EmptyTextPlotsZero) {
    PlotRig rig(10, 2, 0);
    PlotSamples samples;
    ASSERT_FALSE(rig.plot("", &samples));
    EXPECT_EQ(samples.xs.size(), 200u);
    for (float y : samples.ys) ASSERT_EQ(y, 0.0f);
    EXPECT_EQ(rig.state.ExprLen, 0);
}

TEST(PlotRoutine, NoStepNoHangAndLongTexts) {
    PlotRig rig;
    rig.state.XStep = 0;  // before the precision is first chosen
    PlotSamples samples;
    EXPECT_FALSE(rig.plot("sin(x)", &samples));
    EXPECT_TRUE(samples.xs.empty());

    // 32,767 characters that pass the check: the length and the index stay in 16 bits.
    QString longText = "x";
    while (longText.size() + 2 <= 32767) longText += "+0";
    while (longText.size() < 32767) longText += "0";
    ASSERT_EQ(longText.size(), 32767);
    PlotRig big(1, 1, 0);
    EXPECT_FALSE(big.plot(longText));
    EXPECT_EQ(big.state.ExprLen, 32767);
    EXPECT_EQ(big.state.Idx, 32767);

    // One more is refused whole, not cut to a shorter expression that would plot.
    PlotRig tooLong(1, 1, 0);
    const auto problem = tooLong.plot(longText + "0");
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->message, "Expression too long: 32768 characters, the limit is 32767");
    EXPECT_EQ(problem->position, 32768);
}

TEST(PlotRoutine, ACurveOutOfSightSaysWhy) {
    const struct {
        const char* text;
        const char* message;  // empty: some value shows
    } rows[] = {
        {"log(-1)", "No value in this range: invalid argument (x = -10)"},
        {"1/0", "No value in this range: division by zero (x = -10)"},
        {"sqr(x-100)", "No value in this range: invalid argument (x = 0)"},
        {"10^400+x", "No value in this range: overflow (x = -10)"},
        {"1E39*(x+11)", "No value in this range: overflow (x = -10)"},  // beyond a single
        {"sqr(x+5)", "Every value lies above the y range (2.24 to 3.87): raise Oy"},
        {"-x^2-5", "Every value lies below the y range (-105 to -5): raise Oy"},
        {"(x>0)*6+3", "Every value lies outside the y range (-3 to 3): raise Oy"},
        {"log(x)+100",
         "Every value lies above the y range (91.4 to 102), beyond the largest Oy (25)"},
        {"x+1234.5",
         "Every value lies above the y range (1225 to 1244), beyond the largest Oy (25)"},
        {"log(x)", ""},
        {"x/5-2.5", ""},
    };
    PlotRig rig;
    for (const auto& row : rows) {
        ASSERT_FALSE(rig.plot(row.text));
        const auto problem = rig.plotter.runProblem();
        EXPECT_EQ((problem ? problem->message : QString()).toStdString(), row.message) << row.text;
    }
    rig.state.XStep = 0;  // no sample taken, nothing to say
    rig.plot("log(-1)");
    EXPECT_FALSE(rig.plotter.runProblem());
    rig.plot("log(");  // nor for a text that cannot be read
    EXPECT_FALSE(rig.plotter.runProblem());
}

}  // namespace
}  // namespace tracewell::plot
