#pragma once
// The program's output: files written whole or not at all, and standard output checked.

#include <QByteArray>
#include <QString>
#include <iosfwd>

namespace tracewell::cli {

// Writes bytes to path. A regular file (new or old) is written beside its place and renamed
// into it once complete, so that a failure leaves the old file, or none. Anything else that
// already exists there (a device, a pipe) is written in place, never replaced. Returns an
// empty string, or why the write failed.
QString writeWhole(const QString& path, const QByteArray& bytes);

// Flushes out. Returns code, or 1 with a message on err when out could not take everything
// (a full disk, a closed standard output).
int finishOutput(int code, std::ostream& out, std::ostream& err);

}  // namespace tracewell::cli
