#pragma once
// Writing the plot area's picture and the last plot's samples to files. Each write goes
// through a temporary file that replaces the target only after everything was written and
// closed, so a failed write leaves no partial file and an existing file untouched.

#include <QImage>
#include <QString>

#include "plot/plotter.h"

namespace tracewell::app {

// An empty text on success, otherwise why the file could not be written.
// The format follows the file name's extension when Qt's image writer knows it, else PNG.
QString savePicture(const QImage& picture, const QString& path);
// The table tracewell-plot --csv prints, of the plotter's last finished plot, its samples
// computed again.
QString saveSamples(plot::Plotter& plotter, const QString& path);

}  // namespace tracewell::app
