#include "runtime/dll_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/child_process.h"

namespace {

struct Kernel {
    bool has_set_default;
    BOOL set_default_result;
    bool has_set_directory;
};
Kernel kernel;
std::vector<std::string> calls;

BOOL WINAPI set_default(DWORD flags) {
    calls.push_back("SetDefaultDllDirectories " + std::to_string(flags));
    return kernel.set_default_result;
}
BOOL WINAPI set_directory(LPCSTR path) {
    calls.push_back("SetDllDirectoryA \"" + std::string(path) + "\"");
    return TRUE;
}

template <typename Function>
FARPROC entry(Function* function) { return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(function)); }

FARPROC find(const char* name) {
    calls.push_back(std::string("find ") + name);
    if (name == std::string("SetDefaultDllDirectories") && kernel.has_set_default) return entry(&set_default);
    if (name == std::string("SetDllDirectoryA") && kernel.has_set_directory) return entry(&set_directory);
    return nullptr;
}

// What the program asks of kernel32 first, on each kind of Windows.
TEST(DllSearch, SystemFolderOnlyElseNoCurrentDirectory) {
    const std::string kFindDefault = "find SetDefaultDllDirectories", kSystem32Only = "SetDefaultDllDirectories 2048",
                      kFindDirectory = "find SetDllDirectoryA", kNoCurrent = "SetDllDirectoryA \"\"";
    struct Case { Kernel kernel; std::vector<std::string> calls; };
    const Case cases[] = {
        {{true, TRUE, true}, {kFindDefault, kSystem32Only}},
        // Windows 7 without KB2533623.
        {{false, FALSE, true}, {kFindDefault, kFindDirectory, kNoCurrent}},
        {{true, FALSE, true}, {kFindDefault, kSystem32Only, kFindDirectory, kNoCurrent}},
        {{false, FALSE, false}, {kFindDefault, kFindDirectory}},
    };
    for (const Case& c : cases) {
        kernel = c.kernel;
        calls.clear();
        runtime::restrict_dll_search(&find);
        EXPECT_EQ(calls, c.calls) << c.kernel.has_set_default << c.kernel.set_default_result;
    }
}

// In a process of its own: a DLL lying beside the program is no longer found
// by its bare name, and still loads by its full path (as the engine does).
TEST(DllSearch, BareNameBesideTheProgramIsNotFoundFullPathIs) {
    const std::string helper = test_support::own_directory() + "\\runtime_process_helper.exe";
    constexpr DWORD kRan = 16, kBareLoaded = 1, kFullPathLoaded = 2;
    const test_support::ChildProcess open(helper, {"dll-search", "0"});
    EXPECT_EQ(open.wait(15000), std::optional<DWORD>(kRan + kBareLoaded + kFullPathLoaded)) << "as before";
    const test_support::ChildProcess restricted(helper, {"dll-search", "1"});
    EXPECT_EQ(restricted.wait(15000), std::optional<DWORD>(kRan + kFullPathLoaded));
}

}  // namespace
