#pragma once
// Where both programs' files go, and how. A regular file, new or old, is written beside its
// place and renamed into it once complete and on disk, so that a failure leaves the old file
// or none, never a part. Anything else is written in place and never replaced: a pipe or a
// device (such as /dev/null), and a stream given by number ("-", /dev/stdout, /dev/fd/N), so
// that "> out.bin" fills out.bin itself and ">> out.bin" appends to it. Links are followed as
// the system follows them, except one that another user put in a shared folder (see below).
// Every failure is told by the reason of the call that failed, as "No space left on device".

#include <QByteArray>
#include <QString>
#include <string_view>

namespace tracewell::platform {

class OutputFile {
public:
    // path names the file in the system's own bytes (QFile::encodeName of a typed name).
    // Without waitForReader, a pipe that no program reads from is a failure, not a wait.
    explicit OutputFile(QByteArray path, bool waitForReader = true);
    ~OutputFile();  // an unfinished file's temporary is removed
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Each returns false after a failure, which error() then explains; nothing more is written.
    bool open();
    bool write(std::string_view bytes);
    // Puts the file in place: everything written is there after a true.
    bool commit();

    const QString& error() const { return error_; }

private:
    bool fail(int errorNumber);
    bool fail(const QString& why);
    void discard();

    QByteArray path_;
    bool waitForReader_;
    QByteArray target_;     // the file renamed over, with every link followed
    QByteArray temporary_;  // beside target_; empty when writing in place
    int fd_ = -1;
    bool ownsFd_ = false;  // false for a stream given by number: it stays open
    QString error_;
};

// Writes bytes as OutputFile does. An empty text, or why the file could not be written.
QString writeFile(const QByteArray& path, std::string_view bytes, bool waitForReader = true);

// The descriptor that a stream's name stands for: 1 for "-" and /dev/stdout, 2 for
// /dev/stderr, N for /dev/fd/N and /proc/self/fd/N; -1 for any other name.
int streamDescriptor(const QByteArray& path);

}  // namespace tracewell::platform
