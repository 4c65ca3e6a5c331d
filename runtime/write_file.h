#pragma once
// Writing a file so that it is never seen half-written, not even after a
// power cut: the bytes go to a temporary file beside the target, are flushed
// to the disk, and the temporary file is then moved over the target in one
// step. A failure leaves the target as it was and no temporary file behind.
// A step that meets a file held for a moment (a virus scanner, the game's
// launcher) is tried again for about 1.5 s before it counts as failed.
#include <windows.h>

#include <string_view>

#include "runtime/byte_set.h"
#include "runtime/file_steps.h"
#include "runtime/text.h"

namespace runtime {

// The temporary file of a write without a namer: the target's path and this.
inline constexpr std::string_view kTemporarySuffix = ".tmp";

// The temporary file's path in `folder` for `number`.
using TemporaryNamer = Text (*)(std::string_view folder, unsigned number);

struct WriteOptions {
    // How the temporary file is named. Without a namer it is the target's
    // path and kTemporarySuffix, created afresh: a killed write leaves that one
    // file, and the next write replaces it. With one, names come from it for
    // numbers starting where the clock says, each taken only while free (no
    // moment between choosing a name and holding the file), in `folder`,
    // which must be the target's own so that the move is a rename: for
    // folders that several copies of the program write at once.
    TemporaryNamer namer = nullptr;
    std::string_view folder;
    // An existing target with any of these attributes is refused with
    // ERROR_ACCESS_DENIED before anything is written: no wait clears a mark
    // the player set, and as an administrator (or under Wine as root) the
    // move would replace a read-only file.
    DWORD refused_attributes = 0;
    // False: the write never replaces anything; a target that exists, or
    // that appears meanwhile, fails the move with ERROR_ALREADY_EXISTS (or
    // ERROR_FILE_EXISTS) and is kept.
    bool replace = true;
};

// Writes `bytes` as the whole content of `target`, through `steps` (the
// system's calls unless a test stands in). Returns 0 or the Win32 error code
// of the step that failed.
DWORD write_file(const Text& target, ByteSet bytes, const WriteOptions& options, const FileSteps& steps = {});

}  // namespace runtime
