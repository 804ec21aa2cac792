// tracewell-plot: Tracewell's engine from the command line.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <iostream>

#include "cli/eval_command.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("tracewell-plot");

    QCommandLineParser parser;
    parser.setApplicationDescription("Evaluates Tracewell expressions without a window.");
    parser.addHelpOption();
    const QCommandLineOption evalOption("eval", "Evaluate EXPR and print its value at each x.",
                                        "EXPR");
    const QCommandLineOption xOption("x", "An x to evaluate at (repeatable; default 0).",
                                     "VALUE");
    parser.addOptions({evalOption, xOption});

    auto usageError = [&](const QString& message) {
        std::cerr << "tracewell-plot: " << message.toStdString() << "\n\n"
                  << parser.helpText().toStdString();
        return 2;
    };
    if (!parser.parse(app.arguments())) return usageError(parser.errorText());
    if (parser.isSet("help")) {
        std::cout << parser.helpText().toStdString();
        return 0;
    }
    if (!parser.isSet(evalOption)) return usageError("nothing to do: give --eval EXPR");
    if (!parser.positionalArguments().isEmpty())
        return usageError("unexpected argument '" + parser.positionalArguments().first() + "'");
    return tracewell::cli::runEval(parser.value(evalOption), parser.values(xOption), std::cout,
                                   std::cerr);
}
