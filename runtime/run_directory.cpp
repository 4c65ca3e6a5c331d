#include "runtime/run_directory.h"

#include <windows.h>

namespace runtime {

namespace {

struct RunDirectory {
    Text without_backslash;  // "C:\Games\Tool", or "C:" for a drive root
    Text with_backslash;     // "C:\Games\Tool\", "C:\"
};

Text executable_path() {
    // Grown until it fits: a path longer than MAX_PATH must not be cut off
    // and then split at the wrong backslash. A cut path can come back one
    // byte short of the buffer, terminated: Wine stops before a two-byte
    // GBK character that does not fit. So it fits only with a byte to spare.
    Text path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length + 1 < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

RunDirectory split_executable_path() {
    const Text path = executable_path();
    const std::size_t slash = find_last_backslash(path);
    if (slash == Text::npos) return {};
    return {path.substr(0, slash), path.substr(0, slash + 1)};
}

RunDirectory& taken() {
    static RunDirectory directory = split_executable_path();
    return directory;
}

}  // namespace

void take_run_directory() {
    const RunDirectory& directory = taken();
    if (directory.without_backslash.empty()) return;
    // "C:" alone would select drive C's remembered directory, not its root.
    const Text& current = directory.without_backslash.back() == ':' ? directory.with_backslash
                                                                     : directory.without_backslash;
    SetCurrentDirectoryA(current.c_str());
}

Text run_directory() { return taken().without_backslash; }


}  // namespace runtime
