// The pixels of a curve: the wide-register pass against the plain one and single points.
#include "plot/curve_pixels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace tracewell::plot {
namespace {

TEST(CurvePixels, FastPassAgreesWithThePlainOneAndWithSinglePoints) {
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
        // Ascending as a grid's x values, from less than a pixel left of the area to beyond
        // its right edge: runs of nearby samples, as a dense plot has, with odd values in
        // between.
        const float x = -50.1f + static_cast<float>(i) * 0.021f;
        xs.push_back(x);
        values.push_back(i % 97 == 0 ? specials[i / 97 % 8] : std::sin(x) * 20.0);
    }

    // The pass that reads each x, and the one that reads only the values of a dense grid
    // whose columns were found: on the narrow surface a column holds hundreds of samples, as
    // on a finest plot. The columns are found for one mapping and found again for the next,
    // also for one that mirrors x.
    struct Area {
        QSize size;
        double left, right;
    };
    PixelColumns columns;
    for (const auto& [size, left, right] :
         {Area{QSize(601, 337), -50, 50}, Area{QSize(16, 337), -50, 50},
          Area{QSize(16, 337), -40, 60}, Area{QSize(16, 337), 50, -50}}) {
        platform::ImageSurface surface(size, 1.0);
        surface.setScale(left, 25, right, -25);
        const auto mapping = surface.pixelMapping();
        const bool dense = PixelColumns::dense(xs.size(), mapping);
        ASSERT_EQ(dense, size.width() == 16);
        if (dense) columns.find(xs, mapping);
        auto fastPass = [&](std::size_t first, std::span<const double> v, std::span<int> at) {
            return dense ? curvePixelsInColumns(columns.runs(), first, v, mapping, at)
                         : curvePixels(std::span(xs).subspan(first, v.size()), v, mapping, at);
        };
        auto plainPass = [&](std::size_t first, std::span<const double> v, std::span<int> at) {
            return dense ? curvePixelsInColumnsPlain(columns.runs(), first, v, mapping, at)
                         : curvePixelsPlain(std::span(xs).subspan(first, v.size()), v, mapping, at);
        };

        // In pieces of several lengths, from odd starts.
        for (const size_t piece : {size_t{1}, size_t{7}, size_t{16}, size_t{17}, size_t{512}}) {
            std::vector<int> fast(piece), plain(piece);
            for (size_t first = 0; first < xs.size(); first += piece) {
                const auto v = std::span(values).subspan(first, std::min(piece, xs.size() - first));
                const int f = fastPass(first, v, fast);
                ASSERT_EQ(f, plainPass(first, v, plain)) << first << " " << piece;
                for (int i = 0; i < f; ++i) ASSERT_EQ(fast[i], plain[i]) << i << " at " << first;
                if (!dense) continue;
                // The columns of the piece alone, as a plot finds them, give the same.
                PixelColumns own;
                own.find(std::span(xs).subspan(first, v.size()), mapping);
                ASSERT_EQ(curvePixelsInColumns(own.runs(), 0, v, mapping, plain), f) << first;
                for (int i = 0; i < f; ++i) ASSERT_EQ(fast[i], plain[i]) << i << " at " << first;
            }
        }

        // Each pixel is where a single point at that sample lands.
        std::vector<int> at(xs.size());
        const int count = fastPass(0, values, at);
        std::vector<int> expected;
        int last = -1;  // the pixel of the sample before, -1 for none
        for (size_t i = 0; i < xs.size(); ++i) {
            const float y = static_cast<float>(values[i]);
            const QPoint d = surface.toDevice({xs[i], y});
            const bool inside = std::isfinite(y) && QRect(QPoint(0, 0), size).contains(d);
            const int index = inside ? d.y() * mapping.stride + d.x() : -1;
            if (inside && index != last) expected.push_back(index);
            last = index;
        }
        ASSERT_EQ(count, static_cast<int>(expected.size())) << size.width() << " " << left;
        for (int i = 0; i < count; ++i) ASSERT_EQ(at[i], expected[i]) << i;
    }
}

}  // namespace
}  // namespace tracewell::plot
