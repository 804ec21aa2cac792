#include "plot/sample_table.h"

#include <charconv>

#include "plot/label_numbers.h"

namespace tracewell::plot {
namespace {

// Pieces rather than one string: a finest plot's table is tens of megabytes.
constexpr std::size_t kPiece = 1 << 16;

}  // namespace

SampleTable::SampleTable(TableSink sink) : sink_(std::move(sink)), piece_("x,y\n") {
    piece_.reserve(kPiece + 64);
}

bool SampleTable::add(std::span<const float> xs, std::span<const float> ys,
                      std::span<const eval::Failure> failures) {
    for (std::size_t i = 0; i < xs.size() && !refused_; ++i) {
        piece_.append(plainXText(xs[i])).push_back(',');
        if (failures[i] == eval::Failure::None) {
            char y[32];
            piece_.append(y, std::to_chars(y, y + sizeof y, ys[i]).ptr);
        }
        piece_.push_back('\n');
        if (piece_.size() >= kPiece) {
            refused_ = !sink_(piece_);
            piece_.clear();
        }
    }
    return !refused_;
}

bool SampleTable::finish() {
    if (!refused_) refused_ = !sink_(piece_);
    piece_.clear();
    return !refused_;
}

}  // namespace tracewell::plot
