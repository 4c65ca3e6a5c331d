// Every list the game had is kept: a game update may write a new list between
// two presses, and each one the operations replace is saved once.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "packs/manifest.h"
#include "win32/unique_handle.h"
#include "runtime/path_limit.h"
#include "runtime/text.h"

namespace packs {

namespace {

// Far above any list the game writes; a larger file is not read into memory.
constexpr LONGLONG kLargestList = 64ll << 20;

DWORD read_whole_file(const std::string& path, std::string& bytes, const FileSteps& steps) {
    const win32::UniqueFile file(open_for_reading(path, steps));
    if (!file) return GetLastError();
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size)) return GetLastError();
    if (size.QuadPart > kLargestList) return ERROR_FILE_TOO_LARGE;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD total = 0;
    while (total < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + total, static_cast<DWORD>(bytes.size()) - total, &read, nullptr))
            return GetLastError();
        if (read == 0) break;  // it shrank meanwhile
        total += read;
    }
    bytes.resize(total);
    return 0;
}

std::string backup_path(const std::string& game_directory, int number) {
    std::string path = runtime::join_texts({game_directory, kManifestBackupSuffix});
    if (number > 1) path += std::to_string(number);
    return path;
}

bool holds_exactly(const std::string& path, const WIN32_FILE_ATTRIBUTE_DATA& data, const std::string& bytes,
                   const FileSteps& steps) {
    if (data.nFileSizeHigh != 0 || data.nFileSizeLow != bytes.size()) return false;
    std::string held;
    return read_whole_file(path, held, steps) == 0 && held == bytes;
}

}  // namespace

DWORD read_manifest(const std::string& path, std::optional<std::string>& bytes, const FileSteps& steps) {
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

BackupFailure back_up_foreign_manifest(const std::string& game_directory, const std::string& bytes,
                                       const FileSteps& steps) {
    if (is_program_manifest(bytes)) return {};

    std::vector<int> free_numbers;
    for (int number = 1; number <= kMostManifestBackups; ++number) {
        const std::string path = backup_path(game_directory, number);
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
            if (GetLastError() == ERROR_FILE_NOT_FOUND) free_numbers.push_back(number);
            continue;  // anything else that keeps us from the name: not ours to use
        }
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && holds_exactly(path, data, bytes, steps))
            return {};  // this list is kept already
    }

    const std::string folder = runtime::join_texts({game_directory, kGameFolderSuffix});
    const runtime::ByteSet contents{reinterpret_cast<const unsigned char*>(bytes.data()),
                                    static_cast<std::uint32_t>(bytes.size())};
    for (const int number : free_numbers) {
        const std::string path = backup_path(game_directory, number);
        if (!runtime::fits_path_limit(path)) return {ERROR_FILENAME_EXCED_RANGE, false, path};
        const DWORD error = create_file_whole(folder, path, contents, steps);
        if (error == 0) return {};
        // Taken meanwhile (another copy of the program): the next free one.
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return {error, false, path};
    }
    return {ERROR_ALREADY_EXISTS, true, backup_path(game_directory, kMostManifestBackups)};
}

}  // namespace packs
