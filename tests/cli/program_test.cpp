// tracewell-plot as a process: exit codes and messages whatever the environment says.
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "stress/sanitized.h"
#include "support/changed_environment.h"

namespace {

struct Outcome {
    int code = -1;
    QString out, err;
};

struct Setting {
    QStringList env{};  // changes to the environment: "NAME=value", or "NAME" alone to remove it
    QString stdoutFile{};
    bool append = false;
    rlim_t fileSize = RLIM_INFINITY;
    rlim_t addressSpace = RLIM_INFINITY;
};

Outcome run(const QStringList& args, const Setting& s = {}) {
    QProcess p;
    p.setProcessEnvironment(tracewell::testing::changedEnvironment(s.env));
    if (!s.stdoutFile.isEmpty())
        p.setStandardOutputFile(s.stdoutFile, s.append ? QIODevice::Append : QIODevice::Truncate);
    p.setChildProcessModifier([s] {
        const rlimit size{s.fileSize, s.fileSize}, space{s.addressSpace, s.addressSpace};
        setrlimit(RLIMIT_FSIZE, &size);
        setrlimit(RLIMIT_AS, &space);
    });
    p.start(TRACEWELL_PLOT, args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

TEST(Program, UsageErrorsSayWhatAndWhereToLook) {
    const QStringList rows[] = {
        {"sin(x)"},
        {"--bogus"},
        {"--xrange", "51", "--csv", "x"},
        {"--jobs", "0", "--csv", "x"},
        {"--png", "", "x"},
        {"--png", "a.png", "--png", "b.png", "x"},
        // Two outputs on one stream, however it is spelled.
        {"--png", "-", "--csv", "x"},
        {"--png", "/dev/stdout", "--csv", "x"},
        {"--png", "/dev/fd/1", "--csv", "x"},
        // What one kind of run does not use is refused, not ignored.
        {"--eval", "1", "--png", "a.png"},
        {"--eval", "1", "--csv"},
        {"--eval", "1", "--xrange", "5"},
        {"--eval", "1", "--level", "15"},
        {"--eval", "1", "--jobs", "2"},
        {"--x", "1", "--csv", "x"},
        {"--program", "x", "x"},
        {"--program", "x", "--eval", "x"},
        {"--program", "x", "--csv"},
    };
    for (const QStringList& args : rows) {
        const Outcome r = run(args);
        EXPECT_EQ(r.code, 2) << args.join(' ').toStdString();
        const QStringList lines = r.err.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 2) << r.err.toStdString();
        EXPECT_TRUE(lines[0].startsWith("tracewell-plot: ")) << r.err.toStdString();
        EXPECT_EQ(lines[1], "Try 'tracewell-plot --help'.");
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST(Program, RefusesALevelOfFastPathsItCannotRun) {
    const Outcome r = run({"--eval", "1"}, {.env = {"TRACEWELL_ISA=sse9"}});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err,
              "tracewell-plot: TRACEWELL_ISA=sse9: unknown level; give plain, avx2 or "
              "avx512\n");
    EXPECT_TRUE(r.out.isEmpty());
}

TEST(Program, EitherHelpOptionPrintsTheOptions) {
    for (const char* option : {"--help", "--help-all"}) {
        const Outcome r = run({option});
        EXPECT_EQ(r.code, 0) << option;
        EXPECT_TRUE(r.out.contains("--png") && r.out.contains("--program")) << option;
        EXPECT_TRUE(r.out.contains("--jobs")) << option;
    }
}

TEST(Program, NeedsNoDisplayAndLeavesNoFolderBehind) {
    QTemporaryDir tmp;
    const Outcome r =
        run({"--eval", "1+1"}, {.env = {"QT_QPA_PLATFORM=xcb", "DISPLAY", "WAYLAND_DISPLAY",
                                        "XDG_RUNTIME_DIR", "TMPDIR=" + tmp.path()}});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "2\n");
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    EXPECT_TRUE(QDir(tmp.path()).isEmpty());
}

TEST(Program, KilledItLeavesNoFolderBehind) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        QTemporaryDir tmp;
        QProcess p;
        p.setProcessEnvironment(
            tracewell::testing::changedEnvironment({"XDG_RUNTIME_DIR", "TMPDIR=" + tmp.path()}));
        p.start(TRACEWELL_PLOT, {"--csv", "--level", "14", "--xrange", "50", "x"});
        ASSERT_TRUE(p.waitForReadyRead(60000));  // well under way
        kill(static_cast<pid_t>(p.processId()), signal);
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitStatus(), QProcess::CrashExit) << signal;
        EXPECT_TRUE(QDir(tmp.path()).isEmpty()) << signal;
    }
}

TEST(Program, StandardOutputIsWrittenInPlace) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.bin");
    QFile(path).open(QIODevice::WriteOnly);
    struct stat before {
    }, after{};
    ASSERT_EQ(stat(QFile::encodeName(path), &before), 0);
    EXPECT_EQ(run({"--png", "/dev/stdout", "x"}, {.stdoutFile = path}).code, 0);
    const qint64 one = QFileInfo(path).size();
    EXPECT_FALSE(QImage(path).isNull());
    EXPECT_EQ(run({"--png", "-", "x"}, {.stdoutFile = path, .append = true}).code, 0);
    EXPECT_EQ(QFileInfo(path).size(), 2 * one);  // appended
    ASSERT_EQ(stat(QFile::encodeName(path), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    // The picture onto the file that takes the table too.
    EXPECT_EQ(run({"--png", path, "--csv", "x"}, {.stdoutFile = path}).code, 2);
}

TEST(Program, AFinestPlotNeedsNoMoreMemoryThanACoarseOne) {
    if (tracewell::stress::kSanitized || tracewell::stress::kThreadSanitized)
        GTEST_SKIP() << "the sanitizer's shadow memory needs more address space than any limit";
    // The least address space that a small plot runs in, to 8 MB. The samples are made and
    // drawn a piece at a time, so the 1,248,379 of a finest plot need less than 8 MB more
    // (they once took 26 MB more). On one thread: each worker's own malloc arena reserves
    // address space that it never uses.
    constexpr rlim_t kStep = 8 << 20;
    rlim_t enough = 0;
    for (rlim_t limit = 6 * kStep; limit <= 128 * kStep && !enough; limit += kStep)
        if (run({"--jobs", "1", "--csv", "--level", "0", "x"},
                {.stdoutFile = "/dev/null", .addressSpace = limit})
                .code == 0)
            enough = limit;
    ASSERT_NE(enough, 0u);
    const Outcome r = run({"--jobs", "1", "--csv", "--level", "14", "--xrange", "50", "x"},
                          {.stdoutFile = "/dev/null", .addressSpace = enough + kStep});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
}

TEST(Program, AFailedWriteIsAFailure) {
    struct stat full {};
    if (stat("/dev/full", &full) == 0 && S_ISCHR(full.st_mode)) {
        const Outcome csv = run({"--csv", "x"}, {.stdoutFile = "/dev/full"});
        EXPECT_EQ(csv.code, 1);
        EXPECT_TRUE(csv.err.startsWith("tracewell-plot: ")) << csv.err.toStdString();
        const Outcome png = run({"--png", "/dev/full", "x"});
        EXPECT_EQ(png.code, 1);
        ASSERT_EQ(stat("/dev/full", &full), 0);
        EXPECT_TRUE(S_ISCHR(full.st_mode)) << "the device was replaced";
    }
    // Past a file-size limit: no part of a picture stays, an older one is kept.
    QTemporaryDir dir;
    const QString path = dir.filePath("plot.png");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    const Outcome limited = run({"--png", path, "sin(x)"}, {.fileSize = 2048});
    EXPECT_EQ(limited.code, 1);
    EXPECT_TRUE(limited.err.startsWith("tracewell-plot: cannot write "))
        << limited.err.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"plot.png"});
    EXPECT_EQ(QFileInfo(path).size(), 3);
}

}  // namespace
