#pragma once
// Low-level writing shared by write_file and by callers that write through a
// handle of their own (for example to a temporary file that is then moved).
#include <windows.h>

#include "runtime/byte_set.h"

namespace runtime {

// Writes all bytes in bounded chunks, looping on short writes: one WriteFile of
// tens of megabytes fails on some file systems and network shares. False on the
// first failure, with GetLastError() kept (ERROR_HANDLE_DISK_FULL for a write
// that made no progress).
bool write_all(HANDLE file, ByteSet bytes);

}  // namespace runtime
