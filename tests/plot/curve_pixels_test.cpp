// The pixels of a curve: the wide-register pass against the plain one and single points.
#include "plot/curve_pixels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace tracewell::plot {
namespace {

TEST(CurvePixels, FastPassAgreesWithThePlainOneAndWithSinglePoints) {
    platform::ImageSurface surface(QSize(601, 337), 1.0);
    surface.setScale(-50, 25, 50, -25);
    const auto mapping = surface.pixelMapping();

    std::mt19937 rng(11);
    std::uniform_real_distribution<float> anywhere(-60, 60);
    const double specials[] = {std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(),
                               1e300,  // beyond the single range
                               25.0,   // the top edge: inside
                               -25.0,  // the bottom edge: outside
                               25.05,  // less than a pixel above the top: outside
                               0.0};
    std::vector<float> xs;
    std::vector<double> values;
    for (int i = 0; i < 5000; ++i) {
        // Runs of nearby samples, as a dense plot has, with odd values in between.
        // Now and then less than a pixel left of the area: outside.
        const float x = i % 500 < 3 ? anywhere(rng) : i % 500 < 6 ? -50.05f : -50.0f + i * 0.02f;
        xs.push_back(x);
        values.push_back(i % 97 == 0 ? specials[i / 97 % 8] : std::sin(x) * 20.0);
    }
    for (size_t n : {size_t{0}, size_t{1}, size_t{7}, size_t{8}, size_t{9}, xs.size()}) {
        std::vector<int> fast(n), plain(n);
        const int f =
            curvePixels(std::span(xs).first(n), std::span(values).first(n), mapping, fast);
        const int p =
            curvePixelsPlain(std::span(xs).first(n), std::span(values).first(n), mapping, plain);
        ASSERT_EQ(f, p) << n;
        for (int i = 0; i < f; ++i) ASSERT_EQ(fast[i], plain[i]) << i << " of " << n;
    }

    // Each pixel is where a single point at that sample lands.
    std::vector<int> at(xs.size());
    const int count = curvePixels(xs, values, mapping, at);
    std::vector<int> expected;
    int last = -1;  // the pixel of the sample before, -1 for none
    for (size_t i = 0; i < xs.size(); ++i) {
        const float y = static_cast<float>(values[i]);
        const QPoint d = surface.toDevice({xs[i], y});
        const bool inside = std::isfinite(y) && QRect(0, 0, 601, 337).contains(d);
        const int index = inside ? d.y() * mapping.stride + d.x() : -1;
        if (inside && index != last) expected.push_back(index);
        last = index;
    }
    ASSERT_EQ(count, static_cast<int>(expected.size()));
    for (int i = 0; i < count; ++i) ASSERT_EQ(at[i], expected[i]) << i;
}

}  // namespace
}  // namespace tracewell::plot
