#include "cli/output.h"

#include <sys/stat.h>

#include <QFile>
#include <ostream>

#include "platform/output_file.h"

namespace tracewell::cli {

int finishOutput(int code, std::ostream& out, std::ostream& err) {
    out.flush();
    if (out) return code;
    err << "tracewell-plot: cannot write standard output\n";
    return 1;
}

bool sharesStandardOutput(const QByteArray& path) {
    if (platform::streamDescriptor(path) == 1) return true;
    struct stat file {
    }, out{};
    return stat(path.constData(), &file) == 0 && fstat(1, &out) == 0 && file.st_dev == out.st_dev &&
           file.st_ino == out.st_ino && !S_ISCHR(file.st_mode);
}

std::optional<QByteArray> argumentBytes(const QString& value, const QString& option,
                                        const QList<QByteArray>& arguments) {
    const QByteArray prefix = "--" + option.toUtf8() + '=';
    QList<QByteArray> spellings;
    for (const QByteArray& a : arguments) {
        const QByteArray v = a.startsWith(prefix) ? a.mid(prefix.size()) : a;
        // Read as QCoreApplication reads its arguments.
        if (QString::fromLocal8Bit(v) == value && !spellings.contains(v)) spellings << v;
    }
    if (spellings.size() == 1) return spellings.front();
    if (spellings.isEmpty()) return QFile::encodeName(value);
    return std::nullopt;
}

}  // namespace tracewell::cli
