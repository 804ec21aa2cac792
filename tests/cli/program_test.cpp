// tracewell-plot as a process: exit codes and messages whatever the environment says.
#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Outcome {
    int code = -1;
    QString out, err;
};

// env: changes to the environment, "NAME=value", or "NAME" alone to remove it.
Outcome run(const QStringList& args, const QStringList& env = {}, const QString& stdoutFile = {},
            rlim_t fileSizeLimit = RLIM_INFINITY) {
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const QString& change : env) {
        const qsizetype eq = change.indexOf('=');
        if (eq < 0)
            e.remove(change);
        else
            e.insert(change.left(eq), change.mid(eq + 1));
    }
    p.setProcessEnvironment(e);
    if (!stdoutFile.isEmpty()) p.setStandardOutputFile(stdoutFile);
    p.setChildProcessModifier([fileSizeLimit] {
        const rlimit limit{fileSizeLimit, fileSizeLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    p.start(TRACEWELL_PLOT, args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

TEST(Program, UsageErrorsSayWhatAndWhereToLook) {
    for (const QStringList& args :
         {QStringList{"sin(x)"}, QStringList{"--bogus"},
          QStringList{"--xrange", "51", "--csv", "x"}, QStringList{"--jobs", "0", "--csv", "x"}}) {
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
    const Outcome r = run({"--eval", "1"}, {"TRACEWELL_ISA=sse9"});
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
        EXPECT_TRUE(r.out.contains("--png")) << option;
        EXPECT_TRUE(r.out.contains("--jobs")) << option;
    }
}

TEST(Program, NeedsNoDisplayAndLeavesNoFolderBehind) {
    QTemporaryDir tmp;
    const Outcome r = run({"--eval", "1+1"}, {"QT_QPA_PLATFORM=xcb", "DISPLAY", "WAYLAND_DISPLAY",
                                              "XDG_RUNTIME_DIR", "TMPDIR=" + tmp.path()});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "2\n");
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    EXPECT_TRUE(QDir(tmp.path()).isEmpty());
}

TEST(Program, AFailedWriteIsAFailure) {
    struct stat full {};
    if (stat("/dev/full", &full) == 0 && S_ISCHR(full.st_mode)) {
        const Outcome csv = run({"--csv", "x"}, {}, "/dev/full");
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
    const Outcome limited = run({"--png", path, "sin(x)"}, {}, {}, 2048);
    EXPECT_EQ(limited.code, 1);
    EXPECT_TRUE(limited.err.startsWith("tracewell-plot: cannot write "))
        << limited.err.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"plot.png"});
    EXPECT_EQ(QFileInfo(path).size(), 3);
}

}  // namespace
