#pragma once
// A runtime folder for Qt when the session gives none: private, and gone at exit.

#include <string>

namespace tracewell::cli {

// Qt's platform code asks for XDG_RUNTIME_DIR and, without it, makes a folder of a name
// anyone can guess under /tmp. When the variable is unset this makes a fresh folder of an
// unguessable name (mode 0700) under the temporary folder and points the variable at it;
// the folder is removed when the object goes. With the variable set it does nothing.
class RuntimeFolder {
public:
    RuntimeFolder();
    ~RuntimeFolder();
    RuntimeFolder(const RuntimeFolder&) = delete;
    RuntimeFolder& operator=(const RuntimeFolder&) = delete;

    const std::string& path() const { return path_; }  // empty when none was made

private:
    std::string path_;
};

}  // namespace tracewell::cli
