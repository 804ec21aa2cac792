#include "plot/pixel_columns.h"

#include <algorithm>

namespace tracewell::plot {
namespace {

using Mapping = platform::ImageSurface::PixelMapping;

// Where an x lands across: its column inside the area, -1 left of it and the width right of
// it (or for NaN). The device x is computed as a point drawn there is, and never falls as x
// rises (nor rises, on a mirrored mapping): the samples between two of one key share it.
int keyOf(float x, const Mapping& m) {
    const float fx = x * m.scaleX + m.offsetX;
    if (fx < 0) return -1;
    return fx < static_cast<float>(m.width) ? static_cast<int>(fx) : m.width;
}

int columnOfKey(int key, const Mapping& m) { return key < m.width ? key : -1; }

}  // namespace

bool PixelColumns::dense(std::size_t samples, const Mapping& m) {
    return samples >= kDense * static_cast<std::size_t>(std::max(m.width, 1));
}

void PixelColumns::find(std::span<const float> xs, const Mapping& m) {
    runs_.clear();
    if (xs.empty()) return;
    int key = keyOf(xs[0], m);
    runs_.push_back({0, columnOfKey(key, m)});
    // Bisecting between samples of different keys reads a few dozen samples per column of
    // the thousands a dense grid has; chunks of 1024 keep those reads near each other.
    constexpr std::size_t kChunk = 1024;
    for (std::size_t a = 0; a + 1 < xs.size(); a += kChunk) {
        const std::size_t b = std::min(a + kChunk, xs.size() - 1);
        const int next = keyOf(xs[b], m);
        split(xs, m, a, b, key, next);
        key = next;
    }
}

// Adds the runs that start after sample a, up to sample b.
void PixelColumns::split(std::span<const float> xs, const Mapping& m, std::size_t a, std::size_t b,
                         int keyA, int keyB) {
    if (keyA == keyB) return;
    if (b == a + 1) {
        runs_.push_back({b, columnOfKey(keyB, m)});
        return;
    }
    const std::size_t mid = a + (b - a) / 2;
    const int keyMid = keyOf(xs[mid], m);
    split(xs, m, a, mid, keyA, keyMid);
    split(xs, m, mid, b, keyMid, keyB);
}

}  // namespace tracewell::plot
