// tracewell-plot: Tracewell's plot routine and engine from the command line.
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QRegularExpression>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <new>

#include "cli/bar_options.h"
#include "cli/eval_command.h"
#include "cli/output.h"
#include "cli/plot_command.h"
#include "cli/program_command.h"
#include "cli/runtime_folder.h"
#include "eval/cpu.h"
#include "plot/plotter.h"
#include "tracewell/version.h"

namespace {

int run(int argc, char* argv[]) {
    // A level of fast paths forced through TRACEWELL_ISA that cannot be had: run no copy in
    // its place.
    if (const std::string& refusal = tracewell::eval::isaChoice().refusal; !refusal.empty()) {
        std::cerr << "tracewell-plot: " << refusal << "\n";
        return 2;
    }
    // Drawing text needs a platform, but never a display: offscreen, whatever the session
    // asks for, so that no display is ever looked for. The picture is drawn at one device
    // pixel to the pixel, so the session's scale would only change the lettering.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    const tracewell::cli::RuntimeFolder runtime;
#ifdef SIGXFSZ
    // Past a file-size limit a write then fails with an error the picture's file reports,
    // instead of the signal ending the program with a part written.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName("tracewell-plot");
    QGuiApplication::setApplicationVersion(QStringLiteral("%1 %2 (%3)")
                                               .arg(tracewell::kProductName, tracewell::kVersion,
                                                    QString::fromUtf8(tracewell::kDescription)));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Plots EXPR as Tracewell's window does, evaluates it with --eval, or lists its program "
        "with --program.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption evalOption("eval", "Evaluate EXPR and print its value at each x.",
                                        "EXPR");
    const QCommandLineOption programOption(
        "program",
        "Print the instructions EXPR compiles to, one a line: a * marks those that make a "
        "pass over the samples.",
        "EXPR");
    const QCommandLineOption xOption("x", "An x for --eval (repeatable; default 0).", "VALUE");
    using tracewell::cli::span;
    using tracewell::plot::kLevelBar;
    using tracewell::plot::kXRangeBar;
    using tracewell::plot::kYRangeBar;
    const QStringList levels = tracewell::cli::levelsWithAStep();
    const QSize pictureSize = tracewell::plot::Plotter::defaultPictureSize();
    const QCommandLineOption xRangeOption(
        "xrange", QString("Half-width of the x interval, %1.").arg(span(kXRangeBar)), "N",
        QString::number(kXRangeBar.start));
    const QCommandLineOption yRangeOption(
        "yrange", QString("Half-height of the y interval, %1.").arg(span(kYRangeBar)), "N",
        QString::number(kYRangeBar.start));
    const QCommandLineOption levelOption(
        "level",
        QString("Precision level: %1, %2, ..., %3.").arg(levels.front(), levels[1], levels.back()),
        "L", QString::number(kLevelBar.start));
    const QCommandLineOption sizeOption("size",
                                        QString("Plot area in pixels (default %1x%2).")
                                            .arg(pictureSize.width())
                                            .arg(pictureSize.height()),
                                        "WxH");
    const QCommandLineOption pngOption(
        "png", "Write the picture to FILE (- or /dev/stdout: standard output).", "FILE");
    const QCommandLineOption csvOption("csv", "Print x,y for every sample.");
    const QCommandLineOption jobsOption(
        "jobs",
        "Threads that compute the samples, 1..256 (default: one per processor). 1 computes "
        "them on the main thread alone; any count gives the same picture and table.",
        "N", QString::number(tracewell::plot::WorkerPool::processors()));
    parser.addOptions({evalOption, programOption, xOption, xRangeOption, yRangeOption, levelOption,
                       sizeOption, pngOption, csvOption, jobsOption});
    parser.addPositionalArgument("EXPR", "The expression to plot.");

    auto usageError = [&](const QString& message) {
        std::cerr << "tracewell-plot: " << message.toStdString() << "\n"
                  << "Try 'tracewell-plot --help'.\n";
        return 2;
    };
    auto finish = [&](int code) {
        return tracewell::cli::finishOutput(code, std::cout, std::cerr);
    };
    if (!parser.parse(app.arguments())) return usageError(parser.errorText());
    if (parser.isSet("help") || parser.isSet("help-all")) {
        std::cout << parser.helpText().toStdString();
        return finish(0);
    }
    if (parser.isSet("version")) {
        std::cout << "tracewell-plot " << QGuiApplication::applicationVersion().toStdString()
                  << "\n";
        return finish(0);
    }

    // Every option given is used or refused, never ignored: one value each, in its range,
    // and only with the kind of run it belongs to.
    for (const QCommandLineOption* o : {&evalOption, &programOption, &xRangeOption, &yRangeOption,
                                        &levelOption, &sizeOption, &pngOption, &jobsOption})
        if (parser.values(*o).size() > 1)
            return usageError(QString("--%1 is given more than once").arg(o->names()[0]));
    using tracewell::cli::barValue;
    using tracewell::cli::outOfRange;
    const auto xRange = barValue(parser.value(xRangeOption), kXRangeBar);
    if (!xRange) return usageError(outOfRange("--xrange", kXRangeBar));
    const auto yRange = barValue(parser.value(yRangeOption), kYRangeBar);
    if (!yRange) return usageError(outOfRange("--yrange", kYRangeBar));
    const auto level = barValue(parser.value(levelOption), kLevelBar);
    if (!level || !tracewell::plot::StepTable::stepFor(*level))
        return usageError("--level wants one of " + levels.join(", "));
    bool jobsRead = false;
    const int jobs = parser.value(jobsOption).toInt(&jobsRead);
    if (!jobsRead || jobs < 1 || jobs > 256)
        return usageError("--jobs wants a whole number from 1 to 256");
    QSize size;
    if (parser.isSet(sizeOption)) {
        const auto m =
            QRegularExpression("^(\\d{1,5})x(\\d{1,5})$").match(parser.value(sizeOption));
        const int w = m.hasMatch() ? m.captured(1).toInt() : 0;
        const int h = m.hasMatch() ? m.captured(2).toInt() : 0;
        using tracewell::plot::kLargestPictureSide;
        if (w < 1 || h < 1 || w > kLargestPictureSide || h > kLargestPictureSide)
            return usageError(QString("--size wants WIDTHxHEIGHT in pixels, each 1..%1")
                                  .arg(kLargestPictureSide));
        size = QSize(w, h);
    }
    QByteArray pngPath;
    if (parser.isSet(pngOption)) {
        QList<QByteArray> arguments;
        for (int i = 1; i < argc; ++i) arguments << argv[i];
        const auto bytes = tracewell::cli::argumentBytes(parser.value(pngOption), "png", arguments);
        if (!bytes) return usageError("--png: cannot tell which bytes name the file");
        if (bytes->isEmpty()) return usageError("--png wants a file name");
        pngPath = *bytes;
    }

    const bool eval = parser.isSet(evalOption), program = parser.isSet(programOption);
    if (eval && program) return usageError("--program does not go with --eval");
    const QCommandLineOption* const plotOnly[] = {&xRangeOption, &yRangeOption, &levelOption,
                                                  &sizeOption,   &pngOption,    &csvOption,
                                                  &jobsOption};
    for (const QCommandLineOption* o : plotOnly)
        if ((eval || program) && parser.isSet(*o))
            return usageError(QString("--%1 does not go with --%2")
                                  .arg(o->names()[0], eval ? "eval" : "program"));
    if (!eval && parser.isSet(xOption)) return usageError("--x goes with --eval only");

    const QStringList positional = parser.positionalArguments();
    if (eval || program) {
        if (!positional.isEmpty()) return usageError("unexpected argument '" + positional[0] + "'");
        if (program)
            return finish(
                tracewell::cli::runProgram(parser.value(programOption), std::cout, std::cerr));
        return finish(tracewell::cli::runEval(parser.value(evalOption), parser.values(xOption),
                                              std::cout, std::cerr));
    }
    if (positional.size() != 1) return usageError("give one expression to plot, or --eval EXPR");
    if (pngPath.isEmpty() && !parser.isSet(csvOption))
        return usageError("nothing to do: give --png FILE, --csv or both");
    if (parser.isSet(csvOption) && !pngPath.isEmpty() &&
        tracewell::cli::sharesStandardOutput(pngPath))
        return usageError("--png and --csv would both write to standard output");

    tracewell::cli::PlotOptions options;
    options.expression = positional[0];
    options.xRange = *xRange;
    options.yRange = *yRange;
    options.level = *level;
    options.size = size;
    options.pngPath = pngPath;
    options.csv = parser.isSet(csvOption);
    options.jobs = jobs;
    return finish(tracewell::cli::runPlot(options, std::cout, std::cerr));
}

}  // namespace

int main(int argc, char* argv[]) {
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("tracewell-plot: not enough memory\n", stderr);
        return 1;
    }
}
