// The text of x and the value the expression sees; the fast path against the text route.
#include <cmath>
#include <cstring>
#include <random>

#include "eval/x_text.h"
#include "eval_test_support.h"
#include "support/same_bits.h"

namespace tracewell::eval {
namespace {

using tracewell::testing::sameBits;

TEST(XText, Layout) {
    struct Row {
        float x;
        const char* text;
    } rows[] = {
        {0.0f, " 0"},
        {-0.0f, " 0"},
        {1.0f, " 1"},
        {-1.0f, "-1"},
        {10.0f, " 10"},
        {0.5f, " 0.5"},
        {-9.9f, "-9.9"},
        {0.1f, " 0.1"},  // 0.100000001490116...: seven digits, zeros dropped
        {0.005f, " 0.005"},
        {0.0001f, " 0.0001"},
        {0.00001f, " 1E-05"},
        {1.2345678e-5f, " 1.234568E-05"},
        {-3.8146973e-06f, "-3.814697E-06"},
        {1234567.0f, " 1234567"},
        {9999999.0f, " 9999999"},
        {12345678.0f, " 1.234568E+07"},
        {1e7f, " 1E+07"},
        {49.99992f, " 49.99992"},
        {3.4028235e38f, " 3.402823E+38"},
        {1.4e-45f, " 1.401298E-45"},  // the smallest single
    };
    for (const Row& row : rows) EXPECT_EQ(xText(row.x), row.text) << row.x;
}

TEST(XText, HalvesRoundAwayFromZero) {
    // 1048576.5 is a single whose eighth digit is exactly half.
    EXPECT_EQ(xText(1048576.5f), " 1048577");
    EXPECT_EQ(xText(-1048576.5f), "-1048577");
    EXPECT_EQ(xText(1048577.5f), " 1048578");
    EXPECT_EQ(xText(9999999.5f), " 1E+07");  // the carry moves the exponent
    // Just below a half rounds down.
    EXPECT_EQ(xText(0.12345674f), " 0.1234567");
}

TEST(XText, IgnoresTheLocale) {
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "ru_RU.UTF-8")) {
        EXPECT_EQ(xText(2.5f), " 2.5");
        EXPECT_EQ(xValueFromText(2.5f), 2.5);
    }
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(XText, ValueIsTheTextReadBack) {
    EXPECT_EQ(xValueFromText(0.1f), 0.1);  // not 0.100000001490116
    EXPECT_EQ(xValueFromText(-9.9f), -9.9);
    EXPECT_EQ(xValue(0.1f), 0.1);
    EXPECT_EQ(xValue(1.2345678e-5f), 1.234568e-05);
}

// The samples of a plot: from -range by the step, accumulated in single precision.
std::vector<float> plotSamples(int range, float step) {
    std::vector<float> xs;
    const float bound = static_cast<float>(range);
    for (float x = -bound; x <= bound; x = x + step) xs.push_back(x);
    return xs;
}

TEST(XText, FastPathEqualsTextRouteForEveryPlotSample) {
    const float steps[] = {0.1f, 0.05f, 0.01f, 0.005f, 0.002f, 0.0007f, 0.0003f, 0.00008f};
    size_t checked = 0;
    for (int range : {1, 10, 50}) {
        for (float step : steps) {
            const std::vector<float> xs = plotSamples(range, step);
            std::vector<double> values(xs.size());
            xValues(xs, values);  // the array path: vector lanes and the rest
            for (size_t i = 0; i < xs.size(); ++i) {
                const float x = xs[i];
                ASSERT_TRUE(sameBits(xValue(x), xValueFromText(x)))
                    << "x = " << x << " (" << xText(x) << ") range " << range << " step " << step;
                ASSERT_TRUE(sameBits(values[i], xValue(x))) << "array path at x = " << x;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 1'900'000u);
}

TEST(XText, FastPathEqualsTextRouteAcrossAllSingles) {
    std::mt19937 rng(2026);
    std::vector<float> xs;
    for (int i = 0; i < 300000; ++i) {
        const std::uint32_t bits = rng();
        float x;
        std::memcpy(&x, &bits, sizeof x);
        if (std::isnan(x)) continue;
        ASSERT_TRUE(sameBits(xValue(x), xValueFromText(x))) << x << " bits " << bits;
        xs.push_back(x);
    }
    // Singles across the band from 2^-17 to 2^24, through the array path against xValue.
    for (std::uint32_t bits = 110u << 23; bits < 151u << 23; bits += 97) {
        float x;
        std::memcpy(&x, &bits, sizeof x);
        xs.push_back(bits % 2 ? -x : x);
    }
    std::vector<double> values(xs.size());
    xValues(xs, values);
    for (size_t i = 0; i < xs.size(); ++i)
        ASSERT_TRUE(sameBits(values[i], xValue(xs[i]))) << "array path at x = " << xs[i];
    // Neighbours of powers of ten and of halves, where rounding decides.
    for (int e = -15; e <= 15; ++e) {
        float p = std::pow(10.0f, static_cast<float>(e));
        for (int k = -3; k <= 3; ++k) {
            const float x = std::nextafter(p, k < 0 ? 0.0f : 1e30f);
            ASSERT_TRUE(sameBits(xValue(x), xValueFromText(x))) << x;
            p = x;
        }
    }
}

}  // namespace
}  // namespace tracewell::eval
