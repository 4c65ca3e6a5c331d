#pragma once
// Starts a program under test as a child process inside a job object, so a
// hung or crashed program never outlives the test that started it.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win32/unique_handle.h"

namespace test_support {

class ChildProcess {
public:
    // Starts `program` (a path, GBK bytes) with the arguments, each quoted as
    // the C runtime splits them, in `current_directory` (empty: the caller's).
    // Throws std::runtime_error when the process cannot be started.
    ChildProcess(std::string_view program, const std::vector<std::string>& arguments = {},
                 std::string_view current_directory = {});
    // Takes over a process started otherwise (found by its id), with the
    // rights to wait for it, read its exit code and end it.
    static ChildProcess adopt(DWORD process_id);
    ChildProcess(ChildProcess&&) noexcept = default;
    ChildProcess& operator=(ChildProcess&&) noexcept = default;
    // Kills the process (and anything it started) if it is still running.
    ~ChildProcess();

    DWORD id() const { return id_; }
    HANDLE handle() const { return process_.get(); }
    bool running() const;

    // Waits up to `timeout_ms` for the exit; the full 32-bit exit code (-1 is
    // 0xFFFFFFFF), or nothing when it is still running at the deadline.
    std::optional<DWORD> wait(DWORD timeout_ms) const;

    void kill();

private:
    ChildProcess() = default;
    // A job that kills what it holds when it is closed.
    void make_job(std::string_view program);

    win32::UniqueKernelHandle job_;
    win32::UniqueKernelHandle process_;
    DWORD id_ = 0;
};

// One argument quoted so that CommandLineToArgv and the C runtime give it back
// unchanged (backslashes before a quote doubled).
std::string quote_argument(std::string_view argument);

// The directory of the running executable, with no trailing backslash: test
// programs find their helper programs beside themselves.
std::string own_directory();

}  // namespace test_support
