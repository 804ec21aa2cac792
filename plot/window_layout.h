#pragma once
// Where the main window's controls stand for a given outer size of the window: the plot
// area fills the window, and the strip of controls below it follows the bottom edge.
// Everything is in twips and single precision, unrounded; only the widgets round to pixels.

#include <QRectF>
#include <optional>

namespace tracewell::plot {

struct WindowLayout {
    QRectF Pic, T, Lb, Image1, Lg, Lv, HScroll1, VScroll1, VS, Lt;
    int level;  // the precision level the window's height asks for
};

// The design's positions and sizes, which hold until the first layout.
WindowLayout designLayout();

// W and H are the window's outer width and height. Nothing is laid out (nullopt) when the
// height leaves no room for the plot area: H - kHeightAroundPlotArea not above 0.
std::optional<WindowLayout> layoutForOuterSize(float W, float H);

// The outer height that the layout gives to everything but the plot area: the frame, the
// margin above the plot area and the strip of controls below it.
constexpr float kHeightAroundPlotArea = 1395;

// The design measures outer sizes with a frame of 120 twips across and 510 down (its outer
// 9390 x 6375 around a client area of 9270 x 5865), whatever frame a window manager draws.
constexpr float kFrameWidth = 120, kFrameHeight = 510;
constexpr float kDesignClientWidth = 9270, kDesignClientHeight = 5865;

}  // namespace tracewell::plot
