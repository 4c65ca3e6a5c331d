#pragma once
// Writing a file so that it is never seen half-written, not even after a
// power cut: the bytes go to a temporary file beside it, are flushed to the
// disk, and the temporary file is then moved over it in one step.
#include <windows.h>

#include "runtime/byte_set.h"
#include "runtime/file_steps.h"
#include "runtime/text.h"

namespace runtime {

// Creates `temporary` afresh (unshared, CREATE_ALWAYS), writes `bytes`, flushes and closes
// it, then moves it to `target` with `move_flags` (MOVEFILE_REPLACE_EXISTING
// to replace a file there). The create, the move and the clean-up are retried
// while another program holds the file for a moment (a virus scanner). On
// failure the temporary file is deleted and the target is as it was. Returns
// 0 or the Win32 error code of the step that failed.
DWORD write_file_whole(const Text& temporary, const Text& target, ByteSet bytes, DWORD move_flags,
                       const FileSteps& steps);

// The same from a temporary file the caller has just created (`created`, its
// handle, which this takes over and closes): for callers that choose the
// temporary name themselves.
DWORD fill_and_move(HANDLE created, const Text& temporary, const Text& target, ByteSet bytes, DWORD move_flags,
                    const FileSteps& steps);

}  // namespace runtime
