#include "platform/twips.h"

#include <gtest/gtest.h>

namespace tracewell::platform {
namespace {

TEST(Twips, FifteenTwipsToThePixelAt96Dpi) {
    ASSERT_DOUBLE_EQ(twipsPerPixel(), 15.0);  // the offscreen platform's logical dpi is 96
    EXPECT_EQ(toPixels(9015.0), 601);
    EXPECT_EQ(toPixels(2682.86), 179);
    EXPECT_EQ(toTwips(601), 9015.0);
    // Edges round on their own, so neighbours that touch in twips touch in pixels.
    EXPECT_EQ(toPixels(QRectF(550, 5225, 2682.86, 375)), QRect(37, 348, 179, 25));
}

}  // namespace
}  // namespace tracewell::platform
