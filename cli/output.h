#pragma once
// The program's output: standard output checked, and the names that would share it.

#include <QByteArray>
#include <QStringList>
#include <iosfwd>
#include <optional>

namespace tracewell::cli {

// Flushes out. Returns code, or 1 with a message on err when out could not take everything
// (a full disk, a closed standard output).
int finishOutput(int code, std::ostream& out, std::ostream& err);

// Whether a file written to path would land in standard output: a name of the stream
// ("-", /dev/stdout, /dev/fd/1), or the very file or pipe it goes to. A terminal or a device
// such as /dev/null may take both.
bool sharesStandardOutput(const QByteArray& path);

// The bytes of the argument that Qt read as value: a file name must be written as given,
// also when it is not valid UTF-8 and Qt's reading replaced a byte. Nothing when the
// arguments hold several spellings that read so.
std::optional<QByteArray> argumentBytes(const QString& value, const QString& option,
                                        const QList<QByteArray>& arguments);

}  // namespace tracewell::cli
