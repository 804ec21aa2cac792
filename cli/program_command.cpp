#include "cli/program_command.h"

#include <ostream>

#include "eval/compiler.h"
#include "eval/disassemble.h"
#include "plot/plot_routine.h"

namespace tracewell::cli {

int runProgram(const QString& expression, std::ostream& out, std::ostream& err) {
    const eval::CompileResult compiled = eval::compile(expression.toStdString());
    if (!compiled.ok()) {
        err << "tracewell-plot: "
            << plot::unreadableTextProblem(compiled.error()).message.toStdString() << "\n";
        return 2;
    }
    out << eval::disassemble(compiled.program());
    return 0;
}

}  // namespace tracewell::cli
