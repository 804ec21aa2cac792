// The icon files the package installs are kept in the source tree; they must be what the
// code draws, or the desktop would show another icon than the window.
#include <gtest/gtest.h>

#include <QImage>
#include <vector>

#include "platform/icons.h"

namespace tracewell::platform {
namespace {

class ShippedIcon : public testing::TestWithParam<int> {};

TEST_P(ShippedIcon, IsWhatTheCodeDraws) {
    const int pixels = GetParam();
    const QString path = QStringLiteral(TRACEWELL_ICON_DIR "/%1/tracewell.png").arg(pixels);
    const QImage shipped(path);
    ASSERT_FALSE(shipped.isNull()) << "cannot read " << path.toStdString();
    EXPECT_EQ(shipped.convertToFormat(QImage::Format_ARGB32),
              applicationIconImage(pixels).convertToFormat(QImage::Format_ARGB32))
        << path.toStdString()
        << " differs from the drawing: cmake --build build --target tracewell_redraw_icons";
}

INSTANTIATE_TEST_SUITE_P(Sizes, ShippedIcon,
                         testing::ValuesIn(std::vector<int>{TRACEWELL_ICON_SIZES}));

}  // namespace
}  // namespace tracewell::platform
