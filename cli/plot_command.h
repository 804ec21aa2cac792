#pragma once
// tracewell-plot EXPR: the window's plot routine on an image, without a window.

#include <QSize>
#include <QString>
#include <iosfwd>

#include "plot/limits.h"
#include "plot/worker_pool.h"

namespace tracewell::cli {

struct PlotOptions {
    QString expression;
    int xRange = plot::kXRangeBar.start;  // within plot::kXRangeBar
    int yRange = plot::kYRangeBar.start;  // within plot::kYRangeBar
    int level = plot::kLevelBar.start;    // a level with a step (plot::StepTable)
    QSize size;          // pixels of the plot area; empty: the window's plot area as designed
    QByteArray pngPath;  // the file's name in the system's bytes; empty: no picture written
    bool csv = false;    // list the samples on out
    int jobs = plot::WorkerPool::processors();  // threads; 1 samples on the calling thread
};

// Returns the exit code: 0; 2 when the expression is rejected or cannot be read (nothing is
// written then); 1 when the picture cannot be written or memory runs out. The table is
// written as the plot goes, a piece at a time.
int runPlot(const PlotOptions& options, std::ostream& out, std::ostream& err);

}  // namespace tracewell::cli
