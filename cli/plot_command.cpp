#include "cli/plot_command.h"

#include <QFont>
#include <QGuiApplication>
#include <ostream>

#include "plot/plot_routine.h"
#include "plot/sample_table.h"
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

    if (!o.pngPath.isEmpty() && !surface.image().save(o.pngPath, "PNG")) {
        err << "tracewell-plot: cannot write " << o.pngPath.toStdString() << "\n";
        return 2;
    }
    if (problem) {
        err << "tracewell-plot: " << problem->message.toStdString() << "\n";
        return 2;
    }
    if (o.csv)
        plot::writeSampleTable(samples, [&](std::string_view piece) {
            return static_cast<bool>(out.write(piece.data(), std::streamsize(piece.size())));
        });
    return 0;
}

}  // namespace tracewell::cli
