#include "plot/window_layout.h"

#include "plot/limits.h"

namespace tracewell::plot {

WindowLayout designLayout() {
    WindowLayout d;
    d.Pic = {120, 120, 9015, 5055};
    d.Lb = {120, 5280, 495, 375};
    d.T = {600, 5280, 3255, 375};
    d.Lt = {4080, 5280, 255, 495};
    d.VS = {4560, 5280, 200, 495};
    d.Lg = {5040, 5400, 615, 255};
    d.VScroll1 = {5760, 5280, 255, 495};
    d.Lv = {6120, 5400, 735, 255};
    d.HScroll1 = {6840, 5400, 495, 255};
    d.Image1 = {8640, 5280, 360, 360};
    d.level = kLevelBar.start;
    return d;
}

std::optional<WindowLayout> layoutForOuterSize(float W, float H) {
    if (!(H - kHeightAroundPlotArea > 0)) return std::nullopt;
    WindowLayout l = designLayout();
    auto at = [](QRectF& r, float left, float top) { r.moveTo(left, top); };
    // Single-precision arithmetic throughout, and both divisions are true divisions, so that
    // every position is the design's to the fraction of a twip.
    l.Pic.setWidth(W - 400.0f);
    l.Pic.setHeight(H - kHeightAroundPlotArea);
    at(l.T, 550.0f, H - 1150.0f);
    at(l.Lb, 120.0f, H - 1100.0f);
    at(l.Image1, W - 650.0f, H - 1100.0f);
    at(l.Lg, W / 2.0f, H - 1100.0f);
    at(l.Lv, W / 2.0f + 1100.0f, H - 1100.0f);
    at(l.HScroll1, W / 2.0f + 1800.0f, H - 1100.0f);
    at(l.VScroll1, W / 2.0f + 600.0f, H - 1150.0f);
    l.T.setWidth(W / 3.5f);
    at(l.VS, W / 2.0f - 1000.0f, H - 1150.0f);
    at(l.Lt, W / 2.0f - 1300.0f, H - 1100.0f);
    l.level = H > kDesignClientHeight + kFrameHeight ? kTallWindowLevel : kLevelBar.start;
    return l;
}

}  // namespace tracewell::plot
