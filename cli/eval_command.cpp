#include "eval_command.h"

#include <charconv>
#include <cmath>
#include <ostream>
#include <vector>

#include "cli/shortest_text.h"
#include "plot/plotter.h"

namespace tracewell::cli {

int runEval(const QString& expression, const QStringList& xs, std::ostream& out,
            std::ostream& err) {
    std::vector<double> values;
    for (const QString& text : xs) {
        const std::string s = text.toStdString();
        double v = 0;
        const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) {
            err << "tracewell-plot: --x wants a decimal number, not '" << s << "'\n";
            return 2;
        }
        values.push_back(v);
    }
    if (values.empty()) values.push_back(0);

    // Read as a plot reads it: the same characters refused, in the same words.
    plot::Plotter plotter(0);  // for its state: no plot, no workers
    plotter.load();
    const auto read = plot::readText(plotter.state(), expression);
    if (const auto* problem = std::get_if<plot::PlotProblem>(&read)) {
        err << "tracewell-plot: " << problem->message.toStdString() << "\n";
        return 2;
    }
    const auto& program = std::get<eval::Program>(read);
    eval::Evaluator engine;
    for (double x : values) {
        const eval::Sample s = engine.evaluate(program, x);
        if (s.failure != eval::Failure::None)
            out << "undefined: " << eval::failureName(s.failure) << "\n";
        else
            out << shortestText(s.value) << "\n";
    }
    return 0;
}

}  // namespace tracewell::cli
