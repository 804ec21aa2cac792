// tracewell-plot: the table of samples against the engine, and what it refuses.
#include "cli/plot_command.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <charconv>
#include <sstream>

#include "cli/eval_command.h"
#include "cli/output.h"
#include "cli/program_command.h"
#include "eval/compiler.h"
#include "eval/evaluator.h"
#include "eval/x_text.h"

namespace tracewell::cli {
namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

TEST(PlotCommand, CsvRowsAreTheEnginesValuesInSinglePrecision) {
    PlotOptions o;
    o.expression = "log(x)*3";
    o.level = 2;
    o.csv = true;
    std::ostringstream out, err;
    ASSERT_EQ(runPlot(o, out, err), 0) << err.str();
    const auto rows = lines(out.str());
    ASSERT_FALSE(rows.empty());
    ASSERT_EQ(rows.front(), "x,y");
    ASSERT_EQ(rows.size(), 401u);  // -10 .. 9.95 by 0.05
    const eval::CompileResult r = eval::compile("log(x)*3");
    eval::Evaluator e;
    float x = -10;
    for (size_t i = 1; i < rows.size(); ++i, x = x + 0.05f) {
        const std::string& row = rows[i];
        const size_t comma = row.find(',');
        std::string xText = eval::xText(x);
        if (xText[0] == ' ') xText.erase(0, 1);
        ASSERT_EQ(row.substr(0, comma), xText);
        const eval::Sample s = e.evaluate(r.program(), eval::xValue(x));
        if (s.failure != eval::Failure::None) {
            ASSERT_EQ(row.substr(comma + 1), "") << row;
            continue;
        }
        float y = 0;
        std::from_chars(row.data() + comma + 1, row.data() + row.size(), y);
        ASSERT_EQ(y, static_cast<float>(s.value)) << row;
    }
}

// The table streamed piece by piece and the picture are those of one thread for any count.
TEST(PlotCommand, EveryJobCountPrintsTheTableAndPictureOfOne) {
    QTemporaryDir dir;
    std::string table;
    QImage picture;
    for (const int jobs : {1, 2, 3}) {
        PlotOptions o;
        o.expression = "log(x)*3+sin(x*7)";
        o.level = 14;
        o.csv = true;
        o.jobs = jobs;
        o.pngPath = QFile::encodeName(dir.filePath(QStringLiteral("plot%1.png").arg(jobs)));
        std::ostringstream out, err;
        ASSERT_EQ(runPlot(o, out, err), 0) << err.str();
        if (jobs == 1) {
            table = out.str();
            picture = QImage(QFile::decodeName(o.pngPath));
            ASSERT_EQ(lines(table).size(), 249'736u);  // the header and the samples of -10 .. 10
            continue;
        }
        EXPECT_TRUE(out.str() == table) << jobs << " jobs";
        EXPECT_EQ(QImage(QFile::decodeName(o.pngPath)), picture) << jobs << " jobs";
    }
}

TEST(PlotCommand, RefusalsExitWithTwoAndWriteNothing) {
    std::ostringstream out, err;
    QTemporaryDir dir;
    PlotOptions blank;
    blank.expression = "sin (x)";
    blank.pngPath = QFile::encodeName(dir.filePath("plot.png"));
    blank.csv = true;
    EXPECT_EQ(runPlot(blank, out, err), 2);
    EXPECT_NE(err.str().find("position 4"), std::string::npos);
    EXPECT_FALSE(QFile::exists(QFile::decodeName(blank.pngPath)));
    EXPECT_EQ(out.str(), "");

    PlotOptions unreadable;
    unreadable.expression = "sin(x";
    err.str("");
    EXPECT_EQ(runPlot(unreadable, out, err), 2);
    EXPECT_EQ(err.str(), "tracewell-plot: Expected ')': position 6\n");
    std::ostringstream programErr;
    EXPECT_EQ(runProgram("sin(x", out, programErr), 2);  // as the plot says it
    EXPECT_EQ(programErr.str(), err.str());
    EXPECT_EQ(out.str(), "");

    err.str("");
    EXPECT_EQ(runEval("1+", {}, out, err), 2);
    EXPECT_EQ(err.str(), "tracewell-plot: Expected expression: position 3\n");
    err.str("");
    EXPECT_EQ(runEval("x\t", {}, out, err), 2);  // refused as a plot refuses it, in its words
    EXPECT_EQ(err.str(), "tracewell-plot: A tab (U+0009) at position 2 is not accepted\n");
    EXPECT_EQ(runEval("x", {"abc"}, out, err), 2);
}

TEST(PlotCommand, ProgramListsTheInstructions) {
    std::ostringstream out, err;
    EXPECT_EQ(runProgram("2*x-1", out, err), 0);
    EXPECT_EQ(out.str(), "0 * PushConst 2, run 1\n1   MulXAdd x*stack + -1\n");
    EXPECT_EQ(err.str(), "");
}

TEST(PlotCommand, WritesThePicture) {
    QTemporaryDir dir;
    PlotOptions o;
    o.expression = "sin(x)";
    o.size = QSize(300, 200);
    o.pngPath = QFile::encodeName(dir.filePath("plot.png"));
    std::ostringstream out, err;
    ASSERT_EQ(runPlot(o, out, err), 0);
    const QImage image(QFile::decodeName(o.pngPath));
    ASSERT_EQ(image.size(), QSize(300, 200));
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(150, 100), QColor(1, 0, 66));  // the origin

    o.size = QSize();  // the window's plot area as designed: 9015 x 5055 twips at 96 dpi
    ASSERT_EQ(runPlot(o, out, err), 0);
    EXPECT_EQ(QImage(QFile::decodeName(o.pngPath)).size(), QSize(601, 337));
}

TEST(PlotCommand, AnOutputThatFailsEndsWithOne) {
    std::ostringstream out, err;
    EXPECT_EQ(finishOutput(0, out, err), 0);
    out.setstate(std::ios::badbit);
    EXPECT_EQ(finishOutput(0, out, err), 1);
    EXPECT_EQ(err.str(), "tracewell-plot: cannot write standard output\n");

    PlotOptions o;
    o.expression = "x";
    o.pngPath = "/nonexistent-folder/plot.png";
    EXPECT_EQ(runPlot(o, out, err), 1);
}

TEST(PlotCommand, AFileNameIsTakenByteForByte) {
    const QByteArray latin1 = "lat\xe9.png";  // not UTF-8: Qt reads U+FFFD for the byte
    const QString read = QString::fromLocal8Bit(latin1);
    EXPECT_EQ(argumentBytes(read, "png", {"--png", latin1, "x"}), latin1);
    EXPECT_EQ(argumentBytes(read, "png", {"--png=" + latin1, "x"}), latin1);
    // Two names that read alike: which is meant cannot be told.
    EXPECT_EQ(argumentBytes(read, "png", {"--png", latin1, "lat\xe8.png"}), std::nullopt);
}

TEST(PlotCommand, EvalPrintsValuesAndUndefinedSamples) {
    std::ostringstream out, err;
    ASSERT_EQ(runEval("sqr(x)+x/10", {"-1", "1", "4"}, out, err), 0);
    EXPECT_EQ(out.str(), "undefined: invalid argument\n1.1\n2.4\n");
    out.str("");
    ASSERT_EQ(runEval("1<2", {}, out, err), 0);
    EXPECT_EQ(out.str(), "-1\n");
}

}  // namespace
}  // namespace tracewell::cli
