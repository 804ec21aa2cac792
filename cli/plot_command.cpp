#include "cli/plot_command.h"

#include <QBuffer>
#include <QFont>
#include <QGuiApplication>
#include <ostream>

#include "platform/output_file.h"
#include "plot/plotter.h"
#include "plot/sample_table.h"

namespace tracewell::cli {

// The largest picture --size allows is drawn at full size.
static_assert(double{plot::kLargestPictureSide} * plot::kLargestPictureSide <=
              platform::ImageSurface::kMaxDevicePixels);

int runPlot(const PlotOptions& o, std::ostream& out, std::ostream& err) {
    plot::Plotter plotter(o.jobs > 1 ? o.jobs : 0);
    plotter.load();
    plotter.state().XRange = static_cast<std::int16_t>(o.xRange);
    plotter.state().YRange = static_cast<std::int16_t>(o.yRange);
    plotter.setPrecision(o.level);

    platform::ImageSurface surface(o.size.isValid() ? o.size : plot::Plotter::defaultPictureSize(),
                                   1.0);
    surface.setFont(QGuiApplication::font());
    plot::Plotter::dress(surface);
    plot::SampleTable table([&](std::string_view piece) {
        return static_cast<bool>(out.write(piece.data(), std::streamsize(piece.size())));
    });
    plot::SampleSink sink;
    if (o.csv)
        sink = [&](std::span<const float> xs, std::span<const float> ys,
                   std::span<const eval::Failure> failures) { return table.add(xs, ys, failures); };
    const auto problem = plotter.plot(surface, o.expression, sink);

    if (problem) {
        if (problem->outOfMemory) {
            err << "tracewell-plot: not enough memory for this plot\n";
            return 1;
        }
        err << "tracewell-plot: " << problem->message.toStdString() << "\n";
        return 2;
    }
    if (o.csv) table.finish();
    if (!plotter.completed()) {
        err << "tracewell-plot: " << plotter.runProblem()->message.toStdString() << "\n";
        return 1;
    }
    if (!o.pngPath.isEmpty()) {
        // Encoded whole first: the image writer does not check its writes.
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        surface.image().save(&buffer, "PNG");
        const QString why =
            png.isEmpty()
                ? QString("cannot encode the picture")
                : platform::writeFile(o.pngPath, {png.constData(), std::size_t(png.size())});
        if (!why.isEmpty()) {
            err << "tracewell-plot: cannot write " << o.pngPath.toStdString() << ": "
                << why.toStdString() << "\n";
            return 1;
        }
    }
    return 0;
}

}  // namespace tracewell::cli
