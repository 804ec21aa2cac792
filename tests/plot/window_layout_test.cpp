// The window's layout as a function of its outer size.
#include "plot/window_layout.h"

#include <gtest/gtest.h>

namespace tracewell::plot {
namespace {

TEST(WindowLayout, DesignSizeLaysTheStripOutAsDesigned) {
    const auto l = layoutForOuterSize(9390, 6375);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->Pic, QRectF(120, 120, 8990, 4980));
    EXPECT_EQ(l->T.topLeft(), QPointF(550, 5225));
    EXPECT_FLOAT_EQ(l->T.width(), 9390.0f / 3.5f);
    EXPECT_EQ(l->T.height(), 375);
    EXPECT_EQ(l->Lb.topLeft(), QPointF(120, 5275));
    EXPECT_EQ(l->Lg.topLeft(), QPointF(4695, 5275));
    EXPECT_EQ(l->Lv.topLeft(), QPointF(5795, 5275));
    EXPECT_EQ(l->HScroll1.topLeft(), QPointF(6495, 5275));
    EXPECT_EQ(l->VScroll1.topLeft(), QPointF(5295, 5225));
    EXPECT_EQ(l->VS.topLeft(), QPointF(3695, 5225));
    EXPECT_EQ(l->Lt.topLeft(), QPointF(3395, 5275));
    EXPECT_EQ(l->Image1.topLeft(), QPointF(8740, 5275));
    EXPECT_EQ(l->level, 6);
    // Sizes the handler does not set keep their design values.
    const WindowLayout d = designLayout();
    EXPECT_EQ(l->VS.size(), d.VS.size());
    EXPECT_EQ(l->Image1.size(), d.Image1.size());
    EXPECT_EQ(l->Lb.size(), d.Lb.size());
}

TEST(WindowLayout, HeightDecidesLevelAndWhetherAnythingMoves) {
    EXPECT_EQ(layoutForOuterSize(9390, 6375)->level, 6);
    EXPECT_EQ(layoutForOuterSize(9390, 6376)->level, 8);
    EXPECT_FALSE(layoutForOuterSize(9390, 1395));
    EXPECT_FALSE(layoutForOuterSize(9390, 0));
    const auto thin = layoutForOuterSize(9390, 1396);
    ASSERT_TRUE(thin);
    EXPECT_EQ(thin->Pic.height(), 1);
    EXPECT_EQ(thin->T.top(), 246);
}

TEST(WindowLayout, SinglePrecisionAndTrueDivisions) {
    const auto l = layoutForOuterSize(9391, 6375);
    EXPECT_EQ(l->Lg.left(), 4695.5);
    EXPECT_EQ(l->T.width(), static_cast<double>(9391.0f / 3.5f));
    // A width whose half is not a single: the sum rounds as a single would.
    const float W = 16777217.0f;  // rounds to 16777216 as a single
    EXPECT_EQ(layoutForOuterSize(W, 7000)->Lg.left(), 8388608.0);
}

TEST(WindowLayout, NarrowWindowsKeepTheDesignedOverlaps) {
    const auto l = layoutForOuterSize(5000, 6375);
    EXPECT_GT(l->T.right(), l->Lt.left());             // below about 8633 twips T runs into Lt
    EXPECT_GT(l->HScroll1.right(), l->Image1.left());  // below 5890 HScroll1 reaches Image1
    EXPECT_EQ(l->Pic.width(), 4600);
}

}  // namespace
}  // namespace tracewell::plot
