#include "platform/click_label.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace tracewell::platform {
namespace {

// A label shown at the size of the main window's captions, counting its clicks.
struct ShownLabel {
    ShownLabel() : spy(&label, &ClickLabel::clicked) {
        label.resize(49, 17);
        label.show();
    }
    ClickLabel label{"Ox: 10"};
    QSignalSpy spy;
};

const QPoint kInside(10, 8);
const QPoint kOutside(60, 8);

TEST(ClickLabel, LeftClickInsideClicksOnce) {
    ShownLabel shown;
    QTest::mouseClick(&shown.label, Qt::LeftButton, {}, kInside);
    EXPECT_EQ(shown.spy.count(), 1);
    QTest::mouseClick(&shown.label, Qt::LeftButton, {}, kInside);
    EXPECT_EQ(shown.spy.count(), 2);
}

TEST(ClickLabel, OnlyACompleteLeftClickInsideCounts) {
    ShownLabel shown;
    QTest::mousePress(&shown.label, Qt::LeftButton, {}, kInside);
    QTest::mouseRelease(&shown.label, Qt::LeftButton, {}, kOutside);  // dragged off, then let go
    QTest::mouseClick(&shown.label, Qt::RightButton, {}, kInside);
    QTest::mouseClick(&shown.label, Qt::MiddleButton, {}, kInside);
    QTest::mouseRelease(&shown.label, Qt::LeftButton, {}, kInside);  // no press before it
    EXPECT_EQ(shown.spy.count(), 0);
}

TEST(ClickLabel, DoubleClickIsOneClick) {
    ShownLabel shown;
    QTest::mouseClick(&shown.label, Qt::LeftButton, {}, kInside);
    QTest::mouseDClick(&shown.label, Qt::LeftButton, {}, kInside);
    QTest::mouseRelease(&shown.label, Qt::LeftButton, {}, kInside);
    EXPECT_EQ(shown.spy.count(), 1);
}

TEST(ClickLabel, PressCutOffByHidingIsForgotten) {
    ShownLabel shown;
    QTest::mousePress(&shown.label, Qt::LeftButton, {}, kInside);
    shown.label.hide();
    shown.label.show();
    QTest::mouseRelease(&shown.label, Qt::LeftButton, {}, kInside);
    EXPECT_EQ(shown.spy.count(), 0);
}

TEST(ClickLabel, PictureClicksAndTakesNoFocus) {
    ClickLabel picture;
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::blue);
    picture.setPixmap(pixmap);
    picture.resize(24, 24);
    picture.show();
    QSignalSpy spy(&picture, &ClickLabel::clicked);
    QTest::mouseClick(&picture, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(picture.focusPolicy(), Qt::NoFocus);
}

}  // namespace
}  // namespace tracewell::platform
