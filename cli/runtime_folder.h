#pragma once
// Qt asks for a runtime folder (XDG_RUNTIME_DIR) as it starts; without one from the session
// it would make one under /tmp, of a name anyone can guess, and leave it there.

#include <QByteArray>

namespace tracewell::cli {

// When the session names no runtime folder, gives Qt one of this run's own: owner-only,
// empty, and already removed, reached through the descriptor that keeps it, so that nothing
// is left behind however the run ends. Where that cannot be (no /proc), the folder stays
// until this object goes.
class RuntimeFolder {
public:
    RuntimeFolder();
    ~RuntimeFolder();
    RuntimeFolder(const RuntimeFolder&) = delete;
    RuntimeFolder& operator=(const RuntimeFolder&) = delete;

private:
    QByteArray kept_;  // the folder to remove at the end; empty when none is left to remove
};

}  // namespace tracewell::cli
