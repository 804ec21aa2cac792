// The window's start in a session that cannot have it: one line and exit code 1, no abort.
#include <gtest/gtest.h>

#include <QProcess>

#include "app/window_system_start.h"
#include "support/changed_environment.h"

namespace tracewell::app {
namespace {

TEST(StartUp, ScalesOutsideTheSaneRangeAreRefused) {
    for (const char* sane : {"", "1", "0.5", "2", "8"})
        EXPECT_FALSE(scaleFactorProblem(sane)) << sane;
    for (const char* insane : {"100", "8.5", "0", "-1", "0.1", "nan", "inf", "big"})
        EXPECT_TRUE(scaleFactorProblem(insane)) << insane;
}

TEST(StartUp, NoWindowSystemIsOneLineAndExitCodeOne) {
    const struct {
        QStringList env;  // "NAME=value" sets, "NAME" removes
        const char* why;
    } rows[] = {
        {{"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}, "DISPLAY is not set"},
        {{"QT_QPA_PLATFORM=xcb", "DISPLAY=:9999"}, ":9999"},
        {{"QT_QPA_PLATFORM=no-such-system"}, "no-such-system"},
    };
    for (const auto& row : rows) {
        QProcess p;
        p.setProcessEnvironment(tracewell::testing::changedEnvironment(row.env));
        p.start(TRACEWELL_WINDOW, {});
        ASSERT_TRUE(p.waitForFinished(30000));
        const QString err = QString::fromLocal8Bit(p.readAllStandardError());
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << row.why;
        EXPECT_EQ(p.exitCode(), 1) << row.why;
        EXPECT_TRUE(err.startsWith("tracewell: cannot open a window: ")) << err.toStdString();
        EXPECT_TRUE(err.contains(row.why)) << err.toStdString();
        EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
    }
}

}  // namespace
}  // namespace tracewell::app
