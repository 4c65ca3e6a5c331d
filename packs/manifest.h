#pragma once
// The game's archive list, Game\ClientZips.txt, as far as the operations need
// to know it.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "runtime/byte_set.h"
#include "runtime/file_steps.h"

namespace packs {

// Path suffixes after the game directory. Each begins with a backslash: the
// paths are the game directory followed directly by one of them.
inline constexpr std::string_view kGameFolderSuffix = "\\Game";
inline constexpr std::string_view kPackFolderSuffix = "\\Game\\";
inline constexpr std::string_view kManifestSuffix = "\\Game\\ClientZips.txt";
// Backups of the game's own lists: ClientZips.txt.bak, then .bak2, .bak3, ...
inline constexpr std::string_view kManifestBackupSuffix = "\\Game\\ClientZips.txt.bak";
inline constexpr int kMostManifestBackups = 100;

// True for the lists this program writes: the stock list, and any list that
// names one of the catalogue's packs. Anything else is the game's own list
// (after an update, say) and is worth keeping.
bool is_program_manifest(std::string_view bytes);

// The list an operation writes, computed from the one that is there: its
// lines (split at LF, a CR before the LF dropped, empty lines dropped) without
// the catalogue's pack names, then `added_pack` (empty for a restore), joined
// with CR LF and none after the last. What a game update or another tool
// listed thus survives every press. Where nothing is left to keep (no list, an
// empty one, only a pack name, or bytes that are no text list) it is
// `fallback`: the entry's pack list for an apply, the stock list for a restore.
std::string manifest_to_write(const std::optional<std::string>& current, runtime::ByteSet fallback,
                              std::string_view added_pack);

// Reads the whole list at `path`, waiting out a hold; an absent list (or Game
// folder) leaves `bytes` empty and is no failure. 0 or the Win32 error code; a list too
// large to be one is refused with ERROR_FILE_TOO_LARGE. The list is never read
// while another program may be writing it (the launcher rewrites it): a writer
// is waited out like a hold, and so is a list whose size changed meanwhile.
DWORD read_manifest(const std::string& path, std::optional<std::string>& bytes, const runtime::FileSteps& steps);

struct BackupFailure {
    DWORD error = 0;            // 0: nothing failed
    bool no_free_name = false;  // every backup name up to the last is taken
    std::string path;           // the backup that could not be written
    explicit operator bool() const { return error != 0; }
};

// Where the game's own list (`bytes`, as read) would be kept, found without
// writing anything: `path` is the first free backup name, or empty when no
// backup is needed (a list this program writes, or one a backup holds byte
// for byte). Fails when every name is taken (no_free_name), or with
// ERROR_FILENAME_EXCED_RANGE when the free name's path is past the system's
// limit: the operations refuse such a press before they write anything.
BackupFailure find_backup_name(const std::string& game_directory, const std::string& bytes, const runtime::FileSteps& steps,
                               std::string& path);

// Keeps the game's own list (`bytes`, as read) before the operations replace
// it: a list that is not one this program writes, and that no existing backup
// holds byte for byte, is saved whole under the first free backup name.
// Backups are never overwritten or deleted; a name taken by anything else is
// skipped. Fails as find_backup_name does, or with the error of the write.
BackupFailure back_up_foreign_manifest(const std::string& game_directory, const std::string& bytes,
                                       const runtime::FileSteps& steps);

}  // namespace packs
