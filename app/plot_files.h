#pragma once
// Writing the plot area's picture and the last plot's samples to files, as tracewell-plot
// writes its own (platform/output_file.h): a regular file whole or not at all, a pipe or a
// device in place, and a failure told by its reason.

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
