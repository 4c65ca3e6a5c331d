#pragma once
// Writing files so that they are never seen half-written, not even after a
// power cut: the new content goes to a temporary file beside the target, is
// flushed to the disk, and is then moved into place in one step. A failure
// leaves the old file as it was and no temporary file behind. A step that
// meets a file held for a moment (a virus scanner, the game's launcher) is
// tried again for about 1.5 s before it counts as failed.
#include <windows.h>

#include <string>

#include "runtime/byte_set.h"
#include "runtime/file_steps.h"

namespace packs {

// The file system as the operations use it (runtime::FileSteps: the system's
// calls by default). Tests record the steps, or make them fail, through it.
using FileSteps = runtime::FileSteps;
using ChunkWriter = decltype(FileSteps::write);

// The longest temporary file name, after the folder: what the path checks
// measure.
inline constexpr std::string_view kLongestTemporaryName = "\\skpffff.tmp";

// Replaces (or creates) `target` with `contents`, through a temporary file in
// `folder`, which must be the target's folder so the move is a rename. A
// read-only, hidden or system target is refused with ERROR_ACCESS_DENIED, as
// the write service refuses it, at once: waiting cannot clear a mark. Returns
// 0 or the Win32 error code.
DWORD replace_file(const std::string& folder, const std::string& target,
                   runtime::ByteSet contents, const FileSteps& steps);

// The marks among read-only, hidden and system that `path` carries: the
// player's, and why replace_file refuses it. 0 when none, or no such file.
DWORD protective_marks(const std::string& path);

// Creates `target` whole, the same way, but never replaces anything: a name
// taken meanwhile fails with ERROR_ALREADY_EXISTS (or ERROR_FILE_EXISTS).
DWORD create_file_whole(const std::string& folder, const std::string& target,
                        runtime::ByteSet contents, const FileSteps& steps);

// Deletes the temporary files that a run killed while writing left in
// `folder`. One that another running copy still has open cannot be deleted
// and stays.
void remove_stale_temporary_files(const std::string& folder);

}  // namespace packs
