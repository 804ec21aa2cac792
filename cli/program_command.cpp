#include "cli/program_command.h"

#include <ostream>

#include "eval/disassemble.h"
#include "plot/plotter.h"

namespace tracewell::cli {

int runProgram(const QString& expression, std::ostream& out, std::ostream& err) {
    // Read as a plot reads it: the same characters refused, in the same words.
    plot::Plotter plotter(0);  // for its state: no plot, no workers
    plotter.load();
    const auto read = plot::readText(plotter.state(), expression);
    if (const auto* problem = std::get_if<plot::PlotProblem>(&read)) {
        err << "tracewell-plot: " << problem->message.toStdString() << "\n";
        return 2;
    }
    out << eval::disassemble(std::get<eval::Program>(read));
    return 0;
}

}  // namespace tracewell::cli
