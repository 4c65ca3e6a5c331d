#include "tests/support/recorded_file_steps.h"

#include <algorithm>
#include <map>

#include "runtime/file_steps.h"

namespace test_support {

namespace {

std::vector<std::string> seen;
std::map<HANDLE, std::string> names;
StepFailure failure{"", 0, 0};

std::string name_of(const char* path) {
    const std::string text = path;
    return text.substr(text.find_last_of('\\') + 1);
}

bool fails(const std::string& step, const std::string& what) {
    seen.push_back(step + " " + what);
    if (failure.times == 0 || step != failure.step) return false;
    --failure.times;
    SetLastError(failure.error);
    return true;
}

HANDLE WINAPI open(LPCSTR path, DWORD access, DWORD sharing, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                   DWORD flags, HANDLE template_file) {
    if (fails("open", name_of(path))) return INVALID_HANDLE_VALUE;
    const HANDLE file = CreateFileA(path, access, sharing, security, disposition, flags, template_file);
    names[file] = name_of(path);
    return file;
}
// An armed read with error 0 finds the end at once, as a list cut meanwhile would.
BOOL WINAPI read(HANDLE file, LPVOID buffer, DWORD size, LPDWORD done, LPOVERLAPPED overlapped) {
    if (!fails("read", names[file])) return ReadFile(file, buffer, size, done, overlapped);
    *done = 0;
    return failure.error == 0;
}
bool write(HANDLE file, runtime::ByteSet bytes) { return !fails("write", names[file]) && runtime::write_all(file, bytes); }
BOOL WINAPI flush(HANDLE file) { return !fails("flush", names[file]) && FlushFileBuffers(file); }
BOOL WINAPI close(HANDLE file) {
    const BOOL closed = CloseHandle(file);  // a failed close still closes the handle
    return !fails("close", names[file]) && closed;
}
BOOL WINAPI move(LPCSTR from, LPCSTR to, DWORD flags) {
    return !fails("move", name_of(from) + ">" + name_of(to)) && MoveFileExA(from, to, flags);
}
BOOL WINAPI remove(LPCSTR path) { return !fails("remove", name_of(path)) && DeleteFileA(path); }
void pause(DWORD milliseconds) { seen.push_back("pause " + std::to_string(milliseconds)); }

}  // namespace

void start_recording(StepFailure armed) {
    seen.clear();
    names.clear();
    failure = armed;
}

const runtime::FileSteps& recording_file_steps() {
    static const runtime::FileSteps steps{open, read, write, flush, close, move, remove, pause};
    return steps;
}

const std::vector<std::string>& recorded_steps() { return seen; }

std::string move_without_flush(const std::vector<std::string>& steps) {
    for (auto step = steps.begin(); step != steps.end(); ++step) {
        if (step->rfind("move ", 0) != 0) continue;
        const std::string file = step->substr(5, step->find('>') - 5);
        const auto flushed = std::find(steps.begin(), step, "flush " + file);
        if (flushed == step || std::find(flushed, step, "close " + file) == step) return *step;
    }
    return {};
}

}  // namespace test_support
