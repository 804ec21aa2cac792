#include "platform/icons.h"

#include <gtest/gtest.h>

#include <QImage>
#include <functional>

namespace tracewell::platform {
namespace {

using ColourTest = std::function<bool(QColor)>;

bool strongRed(QColor c) {
    return c.alpha() == 255 && c.red() > 180 && c.green() < 90 && c.blue() < 90;
}
bool yellow(QColor c) {
    return c.alpha() == 255 && c.red() > 200 && c.green() > 170 && c.blue() < 90;
}
bool strongBlue(QColor c) {
    return c.alpha() == 255 && c.blue() > 150 && c.red() < 90 && c.green() < 140;
}
bool white(QColor c) {
    return c.alpha() == 255 && c.red() > 245 && c.green() > 245 && c.blue() > 245;
}
bool dark(QColor c) { return c.alpha() > 200 && c.lightness() < 90; }

struct Found {
    int count = 0;
    double meanX = 0;  // as a fraction of the width
};

Found find(const QImage& image, const ColourTest& matches) {
    Found found;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!matches(image.pixelColor(x, y))) continue;
            ++found.count;
            found.meanX += (x + 0.5) / image.width();
        }
    }
    if (found.count) found.meanX /= found.count;
    return found;
}

TEST(InformationPicture, BlueLetterInAWhiteBubbleWithADarkRim) {
    const QPixmap picture = informationPicture();
    ASSERT_EQ(picture.size(), QSize(24, 24));
    const QImage image = picture.toImage();
    EXPECT_TRUE(image.hasAlphaChannel());
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(image.pixelColor(23, 23).alpha(), 0);
    EXPECT_GE(find(image, white).count, 150);
    EXPECT_GE(find(image, strongBlue).count, 20);
    EXPECT_GE(find(image, dark).count, 30);
    // The letter stands in the middle of the bubble.
    EXPECT_NEAR(find(image, strongBlue).meanX, 0.5, 0.05);
    EXPECT_EQ(image, informationPicture().toImage());
}

TEST(InformationPicture, SharperOnDenseScreensAtTheSameLogicalSize) {
    const QPixmap dense = informationPicture(2);
    EXPECT_EQ(dense.size(), QSize(48, 48));
    EXPECT_EQ(dense.deviceIndependentSize(), QSizeF(24, 24));
    EXPECT_GE(find(dense.toImage(), strongBlue).count, 80);
    for (const qreal odd : {0.0, -1.0, qQNaN(), 1e9})
        EXPECT_LE(informationPicture(odd).width(), 24 * 8) << odd;
}

class ApplicationIcon : public testing::TestWithParam<int> {};

TEST_P(ApplicationIcon, RedSphereYellowCubeBlueConeOnABlueGrid) {
    const int pixels = GetParam();
    const QIcon icon = applicationIcon();
    ASSERT_TRUE(icon.availableSizes().contains(QSize(pixels, pixels)));
    const QImage image = icon.pixmap(pixels, pixels).toImage();
    ASSERT_EQ(image.size(), QSize(pixels, pixels));
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);  // the sky is transparent

    // Enough of each colour to be seen at this size, the sphere left of the cube.
    const int some = pixels * pixels / 32;
    const Found red = find(image, strongRed);
    const Found cubeYellow = find(image, yellow);
    EXPECT_GE(red.count, some);
    EXPECT_GE(cubeYellow.count, some);
    EXPECT_GE(find(image, strongBlue).count, some);
    EXPECT_LT(red.meanX, 0.4);
    EXPECT_LT(red.meanX, cubeYellow.meanX);

    EXPECT_EQ(image, applicationIcon().pixmap(pixels, pixels).toImage());
}

INSTANTIATE_TEST_SUITE_P(Sizes, ApplicationIcon, testing::Values(16, 32, 48, 64, 96));

}  // namespace
}  // namespace tracewell::platform
