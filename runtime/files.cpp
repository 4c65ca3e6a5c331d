#include "runtime/files.h"

#include <windows.h>

#include "runtime/text.h"
#include "win32/unique_handle.h"

namespace runtime {

bool file_exists(std::string_view path) {
    // The Win32 call needs a zero-terminated copy; a text ends at its first zero.
    const Text name(path.substr(0, text_length(path)));
    if (name.empty()) return false;
    WIN32_FIND_DATAA found;
    return static_cast<bool>(win32::UniqueFind(FindFirstFileA(name.c_str(), &found)));
}

}  // namespace runtime
