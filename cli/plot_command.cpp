#include "cli/plot_command.h"

#include <QBuffer>
#include <QFont>
#include <QGuiApplication>
#include <ostream>

#include "cli/number_text.h"
#include "cli/output.h"
#include "eval/x_text.h"
#include "plot/plot_routine.h"
#include "plot/step_table.h"

namespace tracewell::cli {

QSize defaultPlotSize() { return {601, 337}; }

int runPlot(const PlotOptions& o, std::ostream& out, std::ostream& err) {
    plot::PlotState state;
    for (int c = plot::CharacterTable::kFirst; c <= plot::CharacterTable::kLast; ++c)
        state.CharTable.set(c, QString(QChar(c)));
    state.XRange = static_cast<std::int16_t>(o.xRange);
    state.YRange = static_cast<std::int16_t>(o.yRange);
    state.XStep = plot::StepTable::stepFor(o.level).value_or(0);

    platform::ImageSurface surface(o.size.isValid() ? o.size : defaultPlotSize(), 1.0);
    surface.setFont(QGuiApplication::font());
    surface.setBackground(Qt::white);
    surface.setForeground(QColor(1, 0, 66));
    eval::Evaluator engine;
    plot::SampleGrid grid;
    plot::PlotSamples samples;
    const auto problem =
        plot::runPlot(state, o.expression, {surface, engine, grid}, o.csv ? &samples : nullptr);

    if (problem) {
        err << "tracewell-plot: " << problem->message.toStdString() << "\n";
        return 2;
    }
    if (!o.pngPath.isEmpty()) {
        // Encoded whole first: the image writer does not check its writes.
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        surface.image().save(&buffer, "PNG");
        const QString why =
            png.isEmpty() ? QString("cannot encode the picture") : writeWhole(o.pngPath, png);
        if (!why.isEmpty()) {
            err << "tracewell-plot: cannot write " << o.pngPath.toStdString() << ": "
                << why.toStdString() << "\n";
            return 1;
        }
    }
    if (o.csv) {
        out << "x,y\n";
        for (std::size_t i = 0; i < samples.xs.size(); ++i) {
            std::string x = eval::xText(samples.xs[i]);
            if (!x.empty() && x[0] == ' ') x.erase(0, 1);
            out << x << ',';
            if (samples.failures[i] == eval::Failure::None) out << shortestText(samples.ys[i]);
            out << '\n';
        }
    }
    return 0;
}

}  // namespace tracewell::cli
