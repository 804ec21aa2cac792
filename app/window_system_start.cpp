#include "app/window_system_start.h"

#include <QList>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace tracewell::app {
namespace {

QtMessageHandler previousHandler = nullptr;
// Qt's messages about its platform, held while it starts.
struct HeldMessage {
    QtMsgType type;
    const char* category;  // Qt's categories are named by literals
    QString text;
};
QList<HeldMessage> heldMessages;

QString heldText(const char* prefix) {
    for (const HeldMessage& m : heldMessages)
        if (m.text.startsWith(QLatin1String(prefix))) return m.text;
    return {};
}

// Qt's reasons in the user's words, where they can be told apart.
QString whyNoWindowSystem(const QString& fatal) {
    if (!heldText("could not connect to display").isEmpty()) {
        const QString display = qEnvironmentVariable("DISPLAY");
        return display.isEmpty() ? QStringLiteral("no display (DISPLAY is not set)")
                                 : QStringLiteral("cannot reach the display \"%1\"").arg(display);
    }
    const QString missing = heldText("Could not find the Qt platform plugin");
    const qsizetype open = missing.indexOf(u'"');
    const QLatin1String available("Available platform plugins are: ");
    const qsizetype list = fatal.indexOf(available);
    if (open >= 0 && list >= 0) {
        const QString name = missing.mid(open + 1, missing.indexOf(u'"', open + 1) - open - 1);
        QString known = fatal.mid(list + available.size()).trimmed();
        if (known.endsWith(u'.')) known.chop(1);
        return QStringLiteral("no window system \"%1\"; there are %2").arg(name, known);
    }
    return fatal.section(u'\n', 0, 0).trimmed();
}

void duringStart(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        const QByteArray line =
            "tracewell: cannot open a window: " + whyNoWindowSystem(text).toLocal8Bit() + '\n';
        std::fputs(line.constData(), stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    const char* category = context.category ? context.category : "";
    if (QLatin1String(category).startsWith(QLatin1String("qt.qpa"))) {
        heldMessages.append({type, category, text});
        return;
    }
    if (previousHandler) previousHandler(type, context, text);
}

}  // namespace

std::optional<QString> scaleFactorProblem(const QByteArray& value) {
    if (value.isEmpty()) return std::nullopt;
    bool ok = false;
    const double scale = value.toDouble(&ok);
    if (ok && std::isfinite(scale) && scale >= kMinScaleFactor && scale <= kMaxScaleFactor)
        return std::nullopt;
    return QStringLiteral("QT_SCALE_FACTOR=%1 is not a scale from %2 to %3; using 1")
        .arg(QString::fromLocal8Bit(value))
        .arg(kMinScaleFactor)
        .arg(kMaxScaleFactor);
}

void keepScaleFactorSane() {
    const auto problem = scaleFactorProblem(qgetenv("QT_SCALE_FACTOR"));
    if (!problem) return;
    std::fputs(("tracewell: " + problem->toLocal8Bit() + '\n').constData(), stderr);
    qputenv("QT_SCALE_FACTOR", "1");
}

void beginWindowSystemStart() { previousHandler = qInstallMessageHandler(duringStart); }

void endWindowSystemStart() {
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& m : std::exchange(heldMessages, {})) {
        const QMessageLogContext context(nullptr, 0, nullptr, m.category);
        previousHandler(m.type, context, m.text);
    }
}

}  // namespace tracewell::app
