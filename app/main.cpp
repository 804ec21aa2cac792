// Tracewell: plots y = f(x) for an expression the user types.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <csignal>
#include <iostream>

#include "app/fgraph.h"
#include "app/window_system_start.h"
#include "eval/cpu.h"
#include "tracewell/version.h"

namespace {

// Answers --help and --version before any window system is needed, so that both work without
// a display (the manual page is made from them). The window takes no other arguments; the
// rest, such as Qt's own -platform, go on to QApplication untouched. True when it answered.
bool answeredInformationRequest(int argc, char* argv[]) {
    QCoreApplication probe(argc, argv);  // gives the usage line the program's own name
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        "Plots y = f(x) for a formula typed into its window. Scroll bars set the ranges of x\n"
        "and y and the precision; tracewell-plot does the same from the command line.");
    // Not addHelpOption(): its --help-all promises Qt's options, which this early step
    // cannot show.
    const QCommandLineOption help({"h", "help"}, "Show this help and exit.");
    const QCommandLineOption version({"v", "version"}, "Show the version and exit.");
    parser.addOptions({help, version});
    parser.parse(QCoreApplication::arguments());  // unknown options belong to Qt: no error
    if (parser.isSet(help)) {
        std::cout << parser.helpText().toStdString();
        return true;
    }
    if (parser.isSet(version)) {
        std::cout << "tracewell " << tracewell::kVersion << "\n";
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    // A level of fast paths forced through TRACEWELL_ISA that cannot be had: run no copy in
    // its place.
    if (const std::string& refusal = tracewell::eval::isaChoice().refusal; !refusal.empty()) {
        std::cerr << "tracewell: " << refusal << "\n";
        return 1;
    }
    if (answeredInformationRequest(argc, argv)) return 0;
    tracewell::app::keepScaleFactorSane();
#ifdef SIGXFSZ
    // A save past a file-size limit then fails with its reason instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    tracewell::app::beginWindowSystemStart();
    QApplication app(argc, argv);
    tracewell::app::endWindowSystemStart();
    QApplication::setApplicationName(tracewell::kProductName);
    QApplication::setApplicationVersion(tracewell::kVersion);
    QApplication::setDesktopFileName("tracewell");
    tracewell::app::Fgraph window;
    window.show();
    return app.exec();
}
