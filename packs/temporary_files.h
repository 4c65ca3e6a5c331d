#pragma once
// How the operations write into the game's Game folder: through runtime's
// write_file, with temporary files of their own names, so that what a killed
// run left there can be found and swept.
#include <windows.h>

#include <string>
#include <string_view>

#include "runtime/write_file.h"

namespace packs {

// The longest temporary file name, after the folder: what the path checks
// measure.
inline constexpr std::string_view kLongestTemporaryName = "\\skpffff.tmp";

// The write options for a file in `folder` (the Game folder): temporary files
// named there as above, and a target the player marked read-only, hidden or
// system refused. `replace` false: a file that exists is never replaced.
runtime::WriteOptions game_folder_write(std::string_view folder, bool replace);

// The marks among read-only, hidden and system that `path` carries: the
// player's, and why a write there is refused. 0 when none, or no such file.
DWORD protective_marks(const std::string& path);

// Deletes the temporary files that a run killed while writing left in
// `folder`. One that another running copy still has open cannot be deleted
// and stays.
void remove_stale_temporary_files(const std::string& folder);

}  // namespace packs
