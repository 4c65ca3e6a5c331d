// Every list the game had is kept: a game update may write a new list between
// two presses, and each one the operations replace is saved once.
#include <optional>
#include <string>
#include <utility>

#include "packs/manifest.h"
#include "packs/temporary_files.h"
#include "win32/unique_handle.h"
#include "runtime/path_limit.h"
#include "runtime/text.h"
#include "runtime/transient_retry.h"

namespace packs {

namespace {

// Far above any list the game writes; a larger file is not read into memory.
constexpr LONGLONG kLargestList = 64ll << 20;

// One read of the whole file, opened without write sharing: while the
// launcher rewrites the list the open fails with a sharing violation. A file
// whose size changed while it was read (where sharing is not enforced) gives
// the same error: a partial list is never taken for the list.
DWORD read_once(const std::string& path, std::string& bytes, const runtime::FileSteps& steps) {
    const win32::UniqueFile file(
        steps.open(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return GetLastError();
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size)) return GetLastError();
    if (size.QuadPart > kLargestList) return ERROR_FILE_TOO_LARGE;
    // A byte more than the size, so that a file that grew shows it too.
    bytes.resize(static_cast<std::size_t>(size.QuadPart) + 1);
    DWORD total = 0;
    for (DWORD read = 1; read != 0 && total < bytes.size(); total += read)
        if (!steps.read(file.get(), bytes.data() + total, static_cast<DWORD>(bytes.size()) - total, &read, nullptr))
            return GetLastError();
    if (total != size.QuadPart) return ERROR_SHARING_VIOLATION;
    bytes.resize(total);
    return 0;
}

// Waits out a writer, and reads a list that changed meanwhile again.
DWORD read_whole_file(const std::string& path, std::string& bytes, const runtime::FileSteps& steps) {
    return runtime::retry_while_transient([&] { return read_once(path, bytes, steps); }, steps.pause);
}

std::string backup_path(const std::string& game_directory, int number) {
    std::string path = runtime::join_texts({game_directory, kManifestBackupSuffix});
    if (number > 1) path += std::to_string(number);
    return path;
}

bool holds_exactly(const std::string& path, const WIN32_FILE_ATTRIBUTE_DATA& data, const std::string& bytes,
                   const runtime::FileSteps& steps) {
    if (data.nFileSizeHigh != 0 || data.nFileSizeLow != bytes.size()) return false;
    std::string held;
    return read_whole_file(path, held, steps) == 0 && held == bytes;
}

}  // namespace

DWORD read_manifest(const std::string& path, std::optional<std::string>& bytes, const runtime::FileSteps& steps) {
    bytes.reset();
    std::string read;
    if (const DWORD error = read_whole_file(path, read, steps)) {
        // Nothing there to keep. A missing Game folder is reported by the
        // write that follows.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return 0;
        return error;
    }
    bytes = std::move(read);
    return 0;
}

BackupFailure find_backup_name(const std::string& game_directory, const std::string& bytes, const runtime::FileSteps& steps,
                               std::string& free_path) {
    free_path.clear();
    if (is_program_manifest(bytes)) return {};
    std::string too_long;
    for (int number = 1; number <= kMostManifestBackups; ++number) {
        const std::string path = backup_path(game_directory, number);
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && holds_exactly(path, data, bytes, steps)) {
                free_path.clear();
                return {};  // this list is kept already
            }
            continue;
        }
        const DWORD error = GetLastError();
        // Past the limit Windows says "too long" or "path not found": not
        // taken. Names only grow, so no later one fits either.
        if (error == ERROR_FILENAME_EXCED_RANGE || error == ERROR_PATH_NOT_FOUND) {
            too_long = path;
            break;
        }
        // Anything else that keeps us from the name: not ours to use.
        if (error == ERROR_FILE_NOT_FOUND && free_path.empty()) free_path = path;
    }
    // Wine finds names that Windows would refuse: the free one is measured.
    if (!free_path.empty() && runtime::fits_path_limit(free_path)) return {};
    const std::string named = free_path.empty() ? too_long : std::exchange(free_path, {});
    if (named.empty()) return {ERROR_ALREADY_EXISTS, true, backup_path(game_directory, kMostManifestBackups)};
    return {ERROR_FILENAME_EXCED_RANGE, false, named};
}

BackupFailure back_up_foreign_manifest(const std::string& game_directory, const std::string& bytes,
                                       const runtime::FileSteps& steps) {
    const std::string folder = runtime::join_texts({game_directory, kGameFolderSuffix});
    const runtime::ByteSet contents{reinterpret_cast<const unsigned char*>(bytes.data()),
                                    static_cast<std::uint32_t>(bytes.size())};
    std::string path;
    for (int tried = 0; tried < kMostManifestBackups; ++tried) {
        if (const BackupFailure failure = find_backup_name(game_directory, bytes, steps, path)) return failure;
        if (path.empty()) return {};
        const DWORD error = runtime::write_file(path, contents, game_folder_write(folder, false), steps);
        if (error == 0) return {};
        // Taken meanwhile (another copy of the program): look again.
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return {error, false, path};
    }
    return {ERROR_ALREADY_EXISTS, true, backup_path(game_directory, kMostManifestBackups)};
}

}  // namespace packs
