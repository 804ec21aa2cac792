#include "cli/output.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <ostream>

namespace tracewell::cli {
namespace {

// Qt's own text is "Unknown error" for a failed flush; the system's reason is better.
QString reason(const QFileDevice& file) {
    if (errno != 0) return QString::fromLocal8Bit(std::strerror(errno));
    return file.errorString();
}

}  // namespace

QString writeWhole(const QString& path, const QByteArray& bytes) {
    errno = 0;
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
            return reason(file);
        return {};
    }
    QSaveFile file(path);
    // commit() misses an error of its last flush: flush and check first.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.commit())
        return reason(file);
    return {};
}

int finishOutput(int code, std::ostream& out, std::ostream& err) {
    out.flush();
    if (out) return code;
    err << "tracewell-plot: cannot write standard output\n";
    return 1;
}

}  // namespace tracewell::cli
