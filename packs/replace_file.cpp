#include "packs/replace_file.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "runtime/text.h"
#include "win32/unique_handle.h"

namespace packs {

namespace {

constexpr DWORD kRefusedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                     FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

// GetTempFileNameA names its files <the prefix's first three letters><up to
// four hex digits>.tmp (Windows writes the digits in upper case, Wine in
// lower case).
constexpr char kTemporaryPrefix[] = "skp";
constexpr char kTemporaryPattern[] = "\\skp*.tmp";

bool is_temporary_name(std::string_view name) {
    if (name.size() < 8 || name.size() > 11) return false;
    const std::string_view digits = name.substr(3, name.size() - 7);
    return runtime::same_ignoring_case(name.substr(0, 3), kTemporaryPrefix) &&
           runtime::same_ignoring_case(name.substr(name.size() - 4), ".tmp") &&
           std::all_of(digits.begin(), digits.end(),
                       [](char digit) { return std::isxdigit(static_cast<unsigned char>(digit)) != 0; });
}

DWORD fill_new_file(const char* path, runtime::ByteSet contents, ChunkWriter write) {
    // OPEN_EXISTING: GetTempFileNameA made the file, empty. Truncating it
    // again (CREATE_ALWAYS) would make ext4 flush all 35 MB at close, as for
    // a file overwritten in place.
    win32::UniqueFile file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return GetLastError();
    if (!write(file.get(), contents)) return GetLastError();
    // A rename is on the disk before the data it names unless the data is
    // flushed first: after a power cut the list could name an empty archive.
    if (!FlushFileBuffers(file.get())) return GetLastError();
    // Closing can still report a failed delayed write (network shares).
    if (!CloseHandle(file.release())) return GetLastError();
    return 0;
}

// Writes `contents` to a new temporary file in `folder` and moves it to
// `target` with `move_flags`; on any failure the temporary file is gone.
DWORD write_then_move(const std::string& folder, const std::string& target, runtime::ByteSet contents,
                      const FileSteps& steps, DWORD move_flags) {
    char temporary[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), kTemporaryPrefix, 0, temporary) == 0) {
        const DWORD error = GetLastError();
        return error != 0 ? error : ERROR_PATH_NOT_FOUND;
    }
    DWORD error = fill_new_file(temporary, contents, steps.write);
    if (error == 0 && !steps.move(temporary, target.c_str(), move_flags | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != 0) DeleteFileA(temporary);
    return error;
}

}  // namespace

DWORD replace_file(const std::string& folder, const std::string& target,
                   runtime::ByteSet contents, const FileSteps& steps) {
    // Checked before the move: as an administrator (and under Wine as root)
    // a rename replaces a read-only file that the user meant to protect.
    const DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kRefusedAttributes) != 0)
        return ERROR_ACCESS_DENIED;
    return write_then_move(folder, target, contents, steps, MOVEFILE_REPLACE_EXISTING);
}

DWORD create_file_whole(const std::string& folder, const std::string& target,
                        runtime::ByteSet contents, const FileSteps& steps) {
    return write_then_move(folder, target, contents, steps, 0);
}

void remove_stale_temporary_files(const std::string& folder) {
    WIN32_FIND_DATAA found;
    const win32::UniqueFind find(FindFirstFileA((folder + kTemporaryPattern).c_str(), &found));
    if (!find) return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && is_temporary_name(found.cFileName))
            DeleteFileA((folder + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(find.get(), &found));
}

}  // namespace packs
