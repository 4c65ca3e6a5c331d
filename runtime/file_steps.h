#pragma once
// The steps of writing a file whole, as calls a test can stand in for: to
// record their order (a move must follow the flush of the same file) or to
// fail one of them on cue. The program takes system_file_steps().
#include <windows.h>

#include "runtime/byte_set.h"
#include "runtime/transient_retry.h"

namespace runtime {

struct FileSteps {
    // Opens the file for writing, unshared, with the creation disposition
    // given; INVALID_HANDLE_VALUE with GetLastError() set on failure.
    HANDLE (*create)(const char* path, DWORD disposition);
    bool (*write)(HANDLE file, ByteSet bytes);                 // write_all
    BOOL(WINAPI* flush)(HANDLE file);                          // FlushFileBuffers
    BOOL(WINAPI* close)(HANDLE file);                          // CloseHandle
    BOOL(WINAPI* move)(LPCSTR from, LPCSTR to, DWORD flags);  // MoveFileExA
    BOOL(WINAPI* remove)(LPCSTR path);                         // DeleteFileA
    Pause pause;                                               // Sleep
};

const FileSteps& system_file_steps();

}  // namespace runtime
