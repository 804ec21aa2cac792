#include "platform/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QList>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <random>
#include <vector>

namespace tracewell::platform {
namespace {

constexpr int kMaxLinks = 40;  // as many as the system follows before it gives up (ELOOP)

QString reasonOf(int errorNumber) { return QString::fromLocal8Bit(std::strerror(errorNumber)); }

// In a folder where anyone may make a file and only owners may remove one (sticky and
// world-writable, as /tmp), a link is followed only when it belongs to the writer or to the
// folder's owner: otherwise any user could aim another's save at a file of their choosing.
// The system knows the rule as protected_symlinks; it holds here whatever that setting says.
bool mayFollow(const struct stat& link, const struct stat& folder) {
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    return !shared || link.st_uid == geteuid() || link.st_uid == folder.st_uid;
}

struct Resolved {
    QByteArray path;  // absolute, free of links, "." and ".."
    bool exists = false;
    struct stat status {};
    int errorNumber = 0;
    QString refusal;
};

QByteArray parentOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

// Walks path one name at a time, following links itself so that it can apply the rule above
// to each.
Resolved resolve(const QByteArray& path) {
    Resolved r;
    if (path.isEmpty()) {
        r.errorNumber = ENOENT;
        return r;
    }
    if (path.endsWith('/')) {  // names a folder, never a file to write
        r.errorNumber = EISDIR;
        return r;
    }
    QByteArray at;  // "" stands for the root
    if (!path.startsWith('/')) {
        std::vector<char> cwd(4096);
        while (!getcwd(cwd.data(), cwd.size())) {
            if (errno != ERANGE) {
                r.errorNumber = errno;
                return r;
            }
            cwd.resize(cwd.size() * 2);
        }
        at = cwd.data();
        if (at == "/") at.clear();
    }
    // The names still to walk, the next one last.
    QList<QByteArray> todo = path.split('/');
    std::reverse(todo.begin(), todo.end());
    int links = 0;
    while (!todo.isEmpty()) {
        const QByteArray name = todo.takeLast();
        if (name.isEmpty() || name == ".") continue;
        if (name == "..") {
            at = parentOf(at.isEmpty() ? QByteArray("/") : at);
            if (at == "/") at.clear();
            continue;
        }
        const QByteArray next = at + '/' + name;
        struct stat st {};
        if (lstat(next.constData(), &st) != 0) {
            const int e = errno;
            if (e == ENOENT && todo.isEmpty()) {
                r.path = next;
                return r;
            }
            r.errorNumber = e;
            return r;
        }
        if (S_ISLNK(st.st_mode)) {
            struct stat folder {};
            if (++links > kMaxLinks) {
                r.errorNumber = ELOOP;
                return r;
            }
            if (lstat(at.isEmpty() ? "/" : at.constData(), &folder) != 0) {
                r.errorNumber = errno;
                return r;
            }
            if (!mayFollow(st, folder)) {
                r.refusal =
                    QStringLiteral("not following %1, a link another user made in a shared folder")
                        .arg(QString::fromLocal8Bit(next));
                return r;
            }
            // The size a link reports may be 0 (in /proc) or stale: read until it fits.
            std::vector<char> target(4096);
            ssize_t n = 0;
            while ((n = readlink(next.constData(), target.data(), target.size())) >= 0 &&
                   static_cast<std::size_t>(n) == target.size())
                target.resize(target.size() * 2);
            if (n < 0) {
                r.errorNumber = errno;
                return r;
            }
            const QByteArray to(target.data(), n);
            QList<QByteArray> names = to.split('/');
            for (auto it = names.rbegin(); it != names.rend(); ++it) todo.append(*it);
            if (to.startsWith('/')) at.clear();
            continue;
        }
        if (!todo.isEmpty() && !S_ISDIR(st.st_mode)) {
            r.errorNumber = ENOTDIR;
            return r;
        }
        at = next;
        r.status = st;
    }
    r.path = at.isEmpty() ? QByteArray("/") : at;
    r.exists = true;
    if (at.isEmpty()) r.errorNumber = EISDIR;  // the root itself
    return r;
}

// A name beside target that no file has yet, opened for writing; -1 with errno set if none.
int createTemporary(const QByteArray& target, QByteArray& name) {
    static constexpr char kDigits[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + '.';
        for (int i = 0; i < 6; ++i) name += kDigits[random() % (sizeof(kDigits) - 1)];
        // 0666 less the umask, as any new file; O_EXCL follows no link.
        const int fd =
            ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

int streamDescriptor(const QByteArray& path) {
    if (path == "-" || path == "/dev/stdout") return 1;
    if (path == "/dev/stderr") return 2;
    for (const char* prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        if (!path.startsWith(prefix)) continue;
        const char* digits = path.constData() + std::strlen(prefix);
        const char* end = path.constData() + path.size();
        int fd = -1;
        const auto [stop, ec] = std::from_chars(digits, end, fd);
        if (ec == std::errc() && stop == end && digits != end && fd >= 0) return fd;
    }
    return -1;
}

OutputFile::OutputFile(QByteArray path, bool waitForReader)
    : path_(std::move(path)), waitForReader_(waitForReader) {}

OutputFile::~OutputFile() { discard(); }

bool OutputFile::fail(int errorNumber) { return fail(reasonOf(errorNumber)); }

bool OutputFile::fail(const QString& why) {
    error_ = why;
    discard();
    return false;
}

void OutputFile::discard() {
    if (fd_ >= 0 && ownsFd_) ::close(fd_);
    fd_ = -1;
    if (!temporary_.isEmpty()) ::unlink(temporary_.constData());
    temporary_.clear();
}

bool OutputFile::open() {
    if (const int stream = streamDescriptor(path_); stream >= 0) {
        if (fcntl(stream, F_GETFL) == -1) return fail(errno);
        fd_ = stream;
        ownsFd_ = false;
        return true;
    }
    const Resolved r = resolve(path_);
    if (!r.refusal.isEmpty()) return fail(r.refusal);
    if (r.errorNumber != 0) return fail(r.errorNumber);
    if (r.exists && S_ISDIR(r.status.st_mode)) return fail(EISDIR);
    ownsFd_ = true;
    if (r.exists && !S_ISREG(r.status.st_mode)) {
        // A pipe or a device: in place. The link rule was applied; no link is followed now.
        const int wait = waitForReader_ ? 0 : O_NONBLOCK;
        fd_ = ::open(r.path.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | wait);
        if (fd_ < 0) {
            const int e = errno;
            if (e == ENXIO && S_ISFIFO(r.status.st_mode))
                return fail(QStringLiteral("no program reads from this pipe"));
            return fail(e);
        }
        if (wait && fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) & ~O_NONBLOCK) == -1)
            return fail(errno);
        return true;
    }
    // A file the writer may not write is not replaced either, as "> file" would not.
    if (r.exists && faccessat(AT_FDCWD, r.path.constData(), W_OK, AT_EACCESS) != 0)
        return fail(errno);
    target_ = r.path;
    fd_ = createTemporary(target_, temporary_);
    if (fd_ < 0) {
        const int e = errno;
        temporary_.clear();
        return fail(e);
    }
    // A file that was there keeps its permissions.
    if (r.exists && fchmod(fd_, r.status.st_mode & 07777) != 0) return fail(errno);
    return true;
}

bool OutputFile::write(std::string_view bytes) {
    if (fd_ < 0) return false;
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(errno);
        if (n == 0) return fail(EIO);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool OutputFile::commit() {
    if (fd_ < 0) return false;
    if (!ownsFd_) {
        fd_ = -1;
        return true;
    }
    if (!temporary_.isEmpty() && fsync(fd_) != 0) return fail(errno);
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) return fail(errno);
    if (temporary_.isEmpty()) return true;
    if (::rename(temporary_.constData(), target_.constData()) != 0) return fail(errno);
    temporary_.clear();
    // The rename itself on disk too; a folder that cannot be synced changes nothing.
    const int folder = ::open(parentOf(target_).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        ::close(folder);
    }
    return true;
}

QString writeFile(const QByteArray& path, std::string_view bytes, bool waitForReader) {
    OutputFile file(path, waitForReader);
    if (file.open() && file.write(bytes) && file.commit()) return {};
    return file.error();
}

}  // namespace tracewell::platform
