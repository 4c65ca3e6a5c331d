#pragma once
// The game's archive list, Game\ClientZips.txt, as far as the operations need
// to know it.
#include <string_view>

namespace packs {

// Path suffixes after the game directory. Each begins with a backslash: the
// paths are the game directory followed directly by one of them.
inline constexpr std::string_view kGameFolderSuffix = "\\Game";
inline constexpr std::string_view kPackFolderSuffix = "\\Game\\";
inline constexpr std::string_view kManifestSuffix = "\\Game\\ClientZips.txt";
inline constexpr std::string_view kManifestBackupSuffix = "\\Game\\ClientZips.txt.bak";

// True for exactly the bytes this program writes as a manifest: the stock
// list, or the stock list plus one catalogue pack. Anything else is the game's
// own list (after an update, say) and is worth keeping.
bool is_program_manifest(std::string_view bytes);

}  // namespace packs
