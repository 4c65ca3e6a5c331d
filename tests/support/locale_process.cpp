#include "tests/support/locale_process.h"

#include <tlhelp32.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "runtime/text.h"
#include "tests/support/deadline.h"
#include "win32/unique_handle.h"

namespace test_support {

namespace {

constexpr char kUnixEnv[] = "Z:\\usr\\bin\\env";

std::string wine_loader() {
    char loader[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("PROJECT_WINE_LOADER", loader, sizeof loader);
    if (length == 0 || length >= sizeof loader)
        throw std::runtime_error("PROJECT_WINE_LOADER is not set: run the test through scripts/wine-run.sh");
    return loader;
}

std::string image_path(DWORD process_id) {
    const win32::UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
    std::string path(MAX_PATH * 4, '\0');
    DWORD size = static_cast<DWORD>(path.size());
    if (!process || !QueryFullProcessImageNameA(process.get(), 0, path.data(), &size)) return {};
    path.resize(size);
    return path;
}

// The id of a running process whose image is `program`.
std::optional<DWORD> find_process(std::string_view program) {
    const win32::UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return std::nullopt;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry))
        if (runtime::same_ignoring_case(image_path(entry.th32ProcessID), program)) return entry.th32ProcessID;
    return std::nullopt;
}

}  // namespace

ChildProcess start_under_locale(std::string_view program, std::string_view locale, DWORD timeout_ms) {
    const std::string setting(locale);
    std::string command_line = std::string(kUnixEnv) + " LANG=" + setting + " LC_ALL=" + setting + " " +
                               quote_argument(wine_loader()) + " " + quote_argument(program);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // A Unix program gives no handles back.
    if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        throw std::runtime_error("cannot start " + command_line);
    if (info.hProcess != nullptr) CloseHandle(info.hProcess);
    if (info.hThread != nullptr) CloseHandle(info.hThread);
    const std::optional<DWORD> id = poll_until(timeout_ms, [&] { return find_process(program); });
    if (!id) throw std::runtime_error("never saw " + std::string(program) + " start under " + setting);
    return ChildProcess::adopt(*id);
}

}  // namespace test_support
