#pragma once
// The steps of reading a file and writing one whole, as calls a test can stand
// in for: to record their order (a move must follow the flush of the same file)
// or to fail one of them on cue (a read cut short, say). A default FileSteps
// is the system's calls.
#include <windows.h>

#include "runtime/byte_set.h"
#include "runtime/transient_retry.h"

namespace runtime {

// Writes all bytes in bounded chunks, looping on short writes. False on the
// first failure, with GetLastError() kept (ERROR_HANDLE_DISK_FULL for a write
// that made no progress).
bool write_all(HANDLE file, ByteSet bytes);

struct FileSteps {
    HANDLE(WINAPI* open)(LPCSTR path, DWORD access, DWORD sharing, LPSECURITY_ATTRIBUTES security,
                         DWORD disposition, DWORD flags, HANDLE template_file) = CreateFileA;
    BOOL(WINAPI* read)(HANDLE file, LPVOID buffer, DWORD size, LPDWORD done, LPOVERLAPPED overlapped) = ReadFile;
    bool (*write)(HANDLE file, ByteSet bytes) = write_all;
    BOOL(WINAPI* flush)(HANDLE file) = FlushFileBuffers;
    BOOL(WINAPI* close)(HANDLE file) = CloseHandle;
    BOOL(WINAPI* move)(LPCSTR from, LPCSTR to, DWORD flags) = MoveFileExA;
    BOOL(WINAPI* remove)(LPCSTR path) = DeleteFileA;
    Pause pause = sleep_for;
};

}  // namespace runtime
