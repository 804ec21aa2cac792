// A line placed in twips: where it stands and what it draws.
#include "dialog/design_line.h"

#include <gtest/gtest.h>

#include <QImage>

namespace tracewell::dialog {
namespace {

class DesignLineTest : public ::testing::Test {
protected:
    QWidget parent;
    void SetUp() override {
        parent.resize(120, 120);
        QPalette colours = parent.palette();
        colours.setColor(QPalette::Window, Qt::white);
        colours.setColor(QPalette::WindowText, Qt::black);
        parent.setPalette(colours);
    }
    QImage drawn() { return parent.grab().toImage(); }
};

TEST_F(DesignLineTest, CoversBothEndsWhicheverWayItRuns) {
    // 15 twips to the pixel: (150, 300) is (10, 20), (1500, 300) is (100, 20).
    DesignLine forward(QLineF(150, 300, 1500, 300), &parent);
    DesignLine backward(QLineF(1500, 300, 150, 300), &parent);
    DesignLine upward(QLineF(450, 1500, 450, 150), &parent);
    EXPECT_EQ(forward.geometry(), QRect(10, 20, 91, 1));
    EXPECT_EQ(backward.geometry(), QRect(10, 20, 91, 1));
    EXPECT_EQ(upward.geometry(), QRect(30, 10, 1, 91));
    EXPECT_EQ(backward.twips(), QLineF(1500, 300, 150, 300));
}

TEST_F(DesignLineTest, DrawsOnePixelWideInTheTextColourFromEndToEnd) {
    DesignLine across(QLineF(1500, 300, 150, 300), &parent);
    DesignLine down(QLineF(1200, 600, 1200, 1500), &parent);
    const QImage image = drawn();
    const QColor line(Qt::black);
    for (int x : {10, 55, 100}) EXPECT_EQ(image.pixelColor(x, 20), line) << x;
    for (int y : {40, 70, 100}) EXPECT_EQ(image.pixelColor(80, y), line) << y;
    EXPECT_EQ(image.pixelColor(55, 19), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(55, 21), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(81, 70), QColor(Qt::white));
}

}  // namespace
}  // namespace tracewell::dialog
