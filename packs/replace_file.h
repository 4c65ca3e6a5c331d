#pragma once
// Replacing a file so that it is never seen half-written: the new content goes
// to a temporary file beside the target, which is then moved over it in one
// step. A failure leaves the old file as it was and no temporary file behind.
#include <windows.h>

#include <string>

#include "runtime/byte_set.h"

namespace packs {

// Writes all bytes to an open file; false with GetLastError() set on failure.
// runtime::write_all in the program; tests give one that fails part-way.
using ChunkWriter = bool (*)(HANDLE file, runtime::ByteSet bytes);

// Replaces (or creates) `target` with `contents`, through a temporary file in
// `folder`, which must be the target's folder so the move is a rename. A
// read-only, hidden or system target is refused with ERROR_ACCESS_DENIED, as
// the write service refuses it. Returns 0 or the Win32 error code.
DWORD replace_file(const std::string& folder, const std::string& target,
                   runtime::ByteSet contents, ChunkWriter write);

struct BackupFailure {
    DWORD error = 0;       // 0: nothing failed
    bool reading = false;  // the manifest could not be read; else the copy failed
    explicit operator bool() const { return error != 0; }
};

// Copies a manifest that this program did not write to `backup`, unless a
// backup exists already (it is never overwritten). An absent manifest needs no
// backup. A failed copy leaves no partial backup.
BackupFailure back_up_foreign_manifest(const std::string& manifest, const std::string& backup);

}  // namespace packs
