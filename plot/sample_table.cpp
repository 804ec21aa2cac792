#include "plot/sample_table.h"

#include <charconv>
#include <string>

#include "plot/label_numbers.h"

namespace tracewell::plot {

bool writeSampleTable(const PlotSamples& samples, const TableSink& sink) {
    // Pieces rather than one string: a finest plot's table is tens of megabytes.
    constexpr std::size_t kPiece = 1 << 16;
    std::string piece = "x,y\n";
    piece.reserve(kPiece + 64);
    for (std::size_t i = 0; i < samples.xs.size(); ++i) {
        piece.append(plainXText(samples.xs[i])).push_back(',');
        if (samples.failures[i] == eval::Failure::None) {
            char y[32];
            piece.append(y, std::to_chars(y, y + sizeof y, samples.ys[i]).ptr);
        }
        piece.push_back('\n');
        if (piece.size() >= kPiece) {
            if (!sink(piece)) return false;
            piece.clear();
        }
    }
    return sink(piece);
}

}  // namespace tracewell::plot
