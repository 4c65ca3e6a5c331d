#include "runtime/files.h"

#include <windows.h>

#include "runtime/file_io.h"
#include "win32/unique_handle.h"
#include "runtime/text.h"

namespace runtime {

namespace {

// The Win32 calls need a zero-terminated copy; a text ends at its first zero.
Text terminated(std::string_view path) { return Text(path.substr(0, text_length(path))); }

}  // namespace

bool write_file(std::string_view path, std::initializer_list<ByteSet> contents) {
    const Text name = terminated(path);
    if (name.empty()) return false;
    // CREATE_ALWAYS with normal attributes: an existing file is replaced, but
    // a hidden or system one is refused rather than silently unhidden. Windows
    // refuses it inside CreateFileA; Wine does not, so say it here as well.
    const DWORD existing = GetFileAttributesA(name.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
        (existing & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    const win32::UniqueFile file(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    for (ByteSet bytes : contents)
        if (!write_all(file.get(), bytes)) return false;
    return true;
}

bool delete_file(std::string_view path) { return DeleteFileA(terminated(path).c_str()) != FALSE; }

bool file_exists(std::string_view path) {
    const Text name = terminated(path);
    if (name.empty()) return false;
    WIN32_FIND_DATAA found;
    return static_cast<bool>(win32::UniqueFind(FindFirstFileA(name.c_str(), &found)));
}

bool set_file_attributes(std::string_view path, std::uint32_t attributes) {
    constexpr std::uint32_t kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                        FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;  // 0x27
    return SetFileAttributesA(terminated(path).c_str(), attributes & kSettable) != FALSE;
}

}  // namespace runtime
