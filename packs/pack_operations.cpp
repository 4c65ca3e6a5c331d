#include "packs/pack_operations.h"

#include <optional>
#include <string>

#include "packs/manifest.h"
#include "packs/messages.h"
#include "packs/temporary_files.h"
#include "runtime/path_limit.h"
#include "runtime/text.h"
#include "runtime/transient_retry.h"
#include "runtime/write_file.h"

namespace packs {

namespace {

// The path field is read again before each path is built, not once per
// operation: the field is the one state the start writes and the operations
// read, and each step takes the folder the window shows at that moment. Keep
// the reads where they are. An empty field would put the files at the root of
// the current drive.
bool read_game_directory(const OperationHooks& hooks, runtime::Text& game_directory) {
    game_directory = hooks.read_game_directory();
    if (!game_directory.empty()) return true;
    hooks.show_message(kNoGameDirectoryMessage);
    return false;
}

runtime::Text game_folder(const runtime::Text& game_directory) {
    return runtime::join_texts({game_directory, kGameFolderSuffix});
}

void show_backup_failure(const BackupFailure& failure, const OperationHooks& hooks) {
    hooks.show_message(failure.no_free_name ? no_free_backup_message(failure.path)
                       : failure.error == ERROR_FILENAME_EXCED_RANGE
                           ? failure_message(kPathTooLong, failure.path, failure.error)
                           : failure_message(kManifestBackupFailed, failure.path, failure.error));
}

// Reads the list that is there; false, after the box, when it cannot.
bool read_list(const runtime::Text& path, std::optional<std::string>& current, const OperationHooks& hooks) {
    if (const DWORD error = read_manifest(path, current, hooks.files)) {
        hooks.show_message(failure_message(kManifestReadFailed, path, error));
        return false;
    }
    return true;
}

// Windows refuses a path of MAX_PATH characters or more, and Wine does not:
// every path an operation will use is measured before anything is written.
// The list's path, the longest, is named first; the archives' and the
// temporary files' are shorter, but each is measured for what it is. The
// list's backup is longer still, so whether the press needs one, and which,
// is found out here too; a press that needs none is not refused for it.
bool paths_fit(const runtime::Text& game_directory, std::string_view pack_file_name, const OperationHooks& hooks) {
    const runtime::Text list = runtime::join_texts({game_directory, kManifestSuffix});
    for (const runtime::Text& path : {list, runtime::join_texts({game_directory, kPackFolderSuffix, pack_file_name}),
                                      runtime::join_texts({game_folder(game_directory), kLongestTemporaryName})}) {
        if (!runtime::fits_path_limit(path)) {
            hooks.show_message(failure_message(kPathTooLong, path, ERROR_FILENAME_EXCED_RANGE));
            return false;
        }
    }
    std::optional<std::string> current;
    if (!read_list(list, current, hooks)) return false;
    std::string backup;
    if (const BackupFailure failure = current ? find_backup_name(game_directory, *current, hooks.files, backup)
                                              : BackupFailure{}) {
        show_backup_failure(failure, hooks);
        return false;
    }
    return true;
}

// Deletes the pack's archive, waiting out a hold; 0 or the Win32 error code.
// A read-only archive is refused at once: the mark is the player's, and no
// wait clears it.
DWORD remove_archive(const runtime::Text& path, const OperationHooks& hooks) {
    if ((protective_marks(path) & FILE_ATTRIBUTE_READONLY) != 0) return ERROR_ACCESS_DENIED;
    return runtime::retry_while_transient([&]() -> DWORD { return hooks.files.remove(path.c_str()) ? 0 : GetLastError(); },
                                          hooks.files.pause);
}

// Keeps the game's own list, then replaces the manifest in one step: there is
// no moment without a manifest, and a failure leaves the old one. What the
// list held besides the catalogue's packs is written again.
bool replace_manifest(const runtime::Text& game_directory, runtime::ByteSet fallback, std::string_view added_pack,
                      const OperationHooks& hooks) {
    const runtime::FileSteps& steps = hooks.files;
    const runtime::Text path = runtime::join_texts({game_directory, kManifestSuffix});
    // Read again: the launcher may have rewritten it since paths_fit.
    std::optional<std::string> current;
    if (!read_list(path, current, hooks)) return false;
    if (current) {
        if (const BackupFailure failure = back_up_foreign_manifest(game_directory, *current, steps)) {
            show_backup_failure(failure, hooks);
            return false;
        }
    }
    const std::string list = manifest_to_write(current, fallback, added_pack);
    const runtime::ByteSet bytes{reinterpret_cast<const unsigned char*>(list.data()),
                                 static_cast<std::uint32_t>(list.size())};
    if (const DWORD error = runtime::write_file(path, bytes, game_folder_write(game_folder(game_directory), true), steps)) {
        hooks.show_message(failure_message(kManifestWriteFailed, path, error));
        return false;
    }
    return true;
}

}  // namespace

void apply_pack_files(const PackFiles& pack, const OperationHooks& hooks) {
    runtime::Text game_directory;
    if (!read_game_directory(hooks, game_directory)) return;
    if (!paths_fit(game_directory, pack.file_name, hooks)) return;
    const runtime::Text folder = game_folder(game_directory);
    remove_stale_temporary_files(folder);
    const runtime::Text archive_path =
        runtime::join_texts({game_directory, kPackFolderSuffix, pack.file_name});
    // The manifest waits for the archive: the game must never list a pack
    // that is missing or truncated.
    if (const DWORD error = runtime::write_file(archive_path, pack.archive, game_folder_write(folder, true), hooks.files)) {
        hooks.show_message(failure_message(kArchiveWriteFailed, archive_path, error));
        return;
    }

    if (!read_game_directory(hooks, game_directory)) return;
    if (!replace_manifest(game_directory, pack.manifest, pack.file_name, hooks)) return;
    hooks.show_message(apply_message());
}

void restore_pack_files(std::string_view pack_file_name, runtime::ByteSet stock,
                        const OperationHooks& hooks) {
    runtime::Text game_directory;
    if (!read_game_directory(hooks, game_directory)) return;
    if (!paths_fit(game_directory, pack_file_name, hooks)) return;
    remove_stale_temporary_files(game_folder(game_directory));
    // The list first: once it is the stock one the game no longer loads the
    // pack, whatever becomes of the archive.
    if (!replace_manifest(game_directory, stock, {}, hooks)) return;

    if (!read_game_directory(hooks, game_directory)) return;
    const runtime::Text archive_path =
        runtime::join_texts({game_directory, kPackFolderSuffix, pack_file_name});
    const DWORD error = remove_archive(archive_path, hooks);
    // Already gone is what a restore wants.
    if (error != 0 && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
        hooks.show_message(failure_message(kArchiveDeleteFailedListRestored, archive_path, error));
        return;
    }
    hooks.show_message(kRestoreMessage);
}

}  // namespace packs
