#include "cli/runtime_folder.h"

#include <QDir>
#include <QString>
#include <cstdlib>
#include <vector>

namespace tracewell::cli {

RuntimeFolder::RuntimeFolder() {
    const char* set = std::getenv("XDG_RUNTIME_DIR");
    if (set && *set) return;
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tracewell-plot-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!mkdtemp(name.data())) return;  // Qt then warns and goes on without one
    path_ = name.data();
    setenv("XDG_RUNTIME_DIR", path_.c_str(), 1);
}

RuntimeFolder::~RuntimeFolder() {
    if (!path_.empty()) QDir(QString::fromStdString(path_)).removeRecursively();
}

}  // namespace tracewell::cli
