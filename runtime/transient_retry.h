#pragma once
// Virus scanners and the game's launcher open a file for a moment right after
// it is written or renamed. A step that meets such a hold is tried again after
// a growing pause, so that a scan of a second is waited out instead of being
// reported with a remedy that does not fit it.
#include <windows.h>

namespace runtime {

// Sharing (32) and lock (33) violations, and access denied (5): what a file
// that another program holds open gives, and what a delete still pending
// (the holder has not closed it yet) gives to the next open of its name.
constexpr bool is_transient_file_error(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// How a retry waits: sleep_for in the program, a recorder in tests.
using Pause = void (*)(DWORD milliseconds);
inline void sleep_for(DWORD milliseconds) { Sleep(milliseconds); }

// Pauses of 50, 100, 200, 400 and 800 ms: about 1.5 s in all before the
// failure is reported.
inline constexpr DWORD kFirstRetryPause = 50;
inline constexpr int kMostRetries = 5;

// Runs `step` (it returns 0 or a Win32 error code) until it succeeds, fails
// with an error that is not transient, or the pauses are used up; returns
// the last result.
template <typename Step>
DWORD retry_while_transient(Step&& step, Pause pause) {
    DWORD error = step();
    DWORD wait = kFirstRetryPause;
    for (int retry = 0; retry < kMostRetries && is_transient_file_error(error); ++retry, wait *= 2) {
        pause(wait);
        error = step();
    }
    return error;
}

}  // namespace runtime
