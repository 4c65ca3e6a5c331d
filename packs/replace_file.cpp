#include "packs/replace_file.h"

#include "packs/manifest.h"
#include "runtime/handle.h"

namespace packs {

namespace {

constexpr DWORD kRefusedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                     FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

// Any manifest of this program is under 1 KB; a larger file is foreign
// without reading it all.
constexpr DWORD kLongestProgramManifest = 1024;

DWORD write_new_file(const char* path, runtime::ByteSet contents, ChunkWriter write) {
    // OPEN_EXISTING: GetTempFileNameA made the file, empty. Truncating it
    // again (CREATE_ALWAYS) would make ext4 flush all 35 MB at close, as for
    // a file overwritten in place, and the manifest's rename would wait on it.
    runtime::UniqueFile file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return GetLastError();
    if (!write(file.get(), contents)) return GetLastError();
    // Closing can still report a failed delayed write (network shares).
    if (!CloseHandle(file.release())) return GetLastError();
    return 0;
}

}  // namespace

DWORD replace_file(const std::string& folder, const std::string& target,
                   runtime::ByteSet contents, ChunkWriter write) {
    // Checked before the move: as an administrator (and under Wine as root)
    // a rename replaces a read-only file that the user meant to protect.
    const DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kRefusedAttributes) != 0)
        return ERROR_ACCESS_DENIED;

    char temporary[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), "skp", 0, temporary) == 0) {
        const DWORD error = GetLastError();
        return error != 0 ? error : ERROR_PATH_NOT_FOUND;
    }
    DWORD error = write_new_file(temporary, contents, write);
    if (error == 0 &&
        !MoveFileExA(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != 0) DeleteFileA(temporary);
    return error;
}

BackupFailure back_up_foreign_manifest(const std::string& manifest, const std::string& backup) {
    std::string bytes;
    {
        const runtime::UniqueFile file(CreateFileA(manifest.c_str(), GENERIC_READ,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            const DWORD error = GetLastError();
            // Nothing there to keep. A missing Game folder is reported by the
            // write that follows.
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {};
            return {error, true};
        }
        bytes.resize(kLongestProgramManifest + 1);
        DWORD total = 0;
        for (;;) {
            DWORD read = 0;
            if (!ReadFile(file.get(), bytes.data() + total, static_cast<DWORD>(bytes.size()) - total,
                          &read, nullptr))
                return {GetLastError(), true};
            if (read == 0) break;
            total += read;
            if (total == bytes.size()) break;
        }
        bytes.resize(total);
    }
    if (is_program_manifest(bytes)) return {};
    if (GetFileAttributesA(backup.c_str()) != INVALID_FILE_ATTRIBUTES) return {};

    if (CopyFileA(manifest.c_str(), backup.c_str(), TRUE)) return {};
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS) return {};  // made meanwhile: that one is kept
    DeleteFileA(backup.c_str());                 // did not exist before: a partial copy
    return {error, false};
}

}  // namespace packs
