#include "tests/support/child_process.h"

#include <stdexcept>

namespace test_support {

namespace {

[[noreturn]] void fail(const char* what, std::string_view program) {
    const DWORD error = GetLastError();
    // Appended step by step: GCC 12 warns falsely (-Wrestrict) on chained +.
    std::string text = what;
    text.append(" ").append(program).append(": error ").append(std::to_string(error));
    throw std::runtime_error(text);
}

}  // namespace

std::string quote_argument(std::string_view argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string_view::npos)
        return std::string(argument);
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count double only before a quote.
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

std::string own_directory() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

ChildProcess::ChildProcess(std::string_view program, const std::vector<std::string>& arguments,
                           std::string_view current_directory) {
    make_job(program);
    std::string command_line = quote_argument(program);
    for (const std::string& argument : arguments) command_line.append(" ").append(quote_argument(argument));
    const std::string directory(current_directory);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // Suspended until it is in the job, so nothing it starts escapes the job.
    if (!CreateProcessA(std::string(program).c_str(), command_line.data(), nullptr, nullptr, FALSE,
                        CREATE_SUSPENDED, nullptr, directory.empty() ? nullptr : directory.c_str(),
                        &startup, &info))
        fail("CreateProcess", program);
    process_.reset(info.hProcess);
    const win32::UniqueKernelHandle thread(info.hThread);
    id_ = info.dwProcessId;
    AssignProcessToJobObject(job_.get(), process_.get());
    ResumeThread(thread.get());
}

ChildProcess ChildProcess::adopt(DWORD process_id) {
    ChildProcess child;
    child.make_job(std::to_string(process_id));
    child.process_.reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE |
                                         PROCESS_SET_QUOTA,
                                     FALSE, process_id));
    if (!child.process_) fail("OpenProcess", std::to_string(process_id));
    child.id_ = process_id;
    AssignProcessToJobObject(child.job_.get(), child.process_.get());
    return child;
}

void ChildProcess::make_job(std::string_view program) {
    job_.reset(CreateJobObjectA(nullptr, nullptr));
    if (!job_) fail("CreateJobObject for", program);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
}

ChildProcess::~ChildProcess() { kill(); }

bool ChildProcess::running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ChildProcess::wait(DWORD timeout_ms) const {
    if (!process_ || WaitForSingleObject(process_.get(), timeout_ms) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

void ChildProcess::kill() {
    if (job_) TerminateJobObject(job_.get(), 1);
    if (running()) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
    }
}

}  // namespace test_support
