#pragma once
// The game's archive list, Game\ClientZips.txt, as far as the operations need
// to know it.
#include <windows.h>

#include <string>
#include <string_view>

#include "packs/replace_file.h"

namespace packs {

// Path suffixes after the game directory. Each begins with a backslash: the
// paths are the game directory followed directly by one of them.
inline constexpr std::string_view kGameFolderSuffix = "\\Game";
inline constexpr std::string_view kPackFolderSuffix = "\\Game\\";
inline constexpr std::string_view kManifestSuffix = "\\Game\\ClientZips.txt";
// Backups of the game's own lists: ClientZips.txt.bak, then .bak2, .bak3, ...
inline constexpr std::string_view kManifestBackupSuffix = "\\Game\\ClientZips.txt.bak";
inline constexpr int kMostManifestBackups = 100;

// True for exactly the bytes this program writes as a manifest: the stock
// list, or the stock list plus one catalogue pack. Anything else is the game's
// own list (after an update, say) and is worth keeping.
bool is_program_manifest(std::string_view bytes);

struct BackupFailure {
    DWORD error = 0;            // 0: nothing failed
    bool reading = false;       // the list could not be read; else its backup failed
    bool no_free_name = false;  // every backup name up to the last is taken
    std::string path;           // the file that could not be read or written
    explicit operator bool() const { return error != 0; }
};

// Keeps the game's own list before the operations replace it: a list that is
// not one this program writes, and that no existing backup holds byte for
// byte, is saved whole under the first free backup name. Backups are never
// overwritten or deleted; a name taken by anything else is skipped. An absent
// list needs no backup.
BackupFailure back_up_foreign_manifest(const std::string& game_directory, const FileSteps& steps);

}  // namespace packs
