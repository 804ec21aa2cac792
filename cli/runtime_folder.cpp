#include "cli/runtime_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

namespace tracewell::cli {

RuntimeFolder::RuntimeFolder() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
    QByteArray name = QFile::encodeName(QDir::tempPath()) + "/tracewell-runtime-XXXXXX";
    if (!mkdtemp(name.data())) return;  // Qt then makes its own, and says so
    // Open for the whole run on purpose: the descriptor is what keeps the removed folder.
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // Qt wants a folder, not a link to one: the trailing slash resolves the link.
    const QByteArray kept = "/proc/self/fd/" + QByteArray::number(fd) + '/';
    struct stat st {};
    if (fd >= 0 && stat(kept.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
        rmdir(name.constData()) == 0) {
        qputenv("XDG_RUNTIME_DIR", kept);
        return;
    }
    if (fd >= 0) ::close(fd);
    kept_ = name;
    qputenv("XDG_RUNTIME_DIR", kept_);
}

RuntimeFolder::~RuntimeFolder() {
    if (!kept_.isEmpty()) rmdir(kept_.constData());
}

}  // namespace tracewell::cli
