#include "runtime/dll_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/declared_commands.h"
#include "runtime/run_directory.h"

namespace {

using AddNumbers = int WINAPI(int, int);
using OrdinalOnly = int WINAPI();

// The test DLL lies beside this program, in its run directory.
TEST(DllCommand, BindsByNameAndByOrdinal) {
    const runtime::DllCommand<AddNumbers> by_name{"runtime_test_dll.dll", "add_numbers"};
    const runtime::DllCommand<AddNumbers> by_ordinal{"runtime_test_dll.dll", "#7"};
    const runtime::DllCommand<AddNumbers> by_low_16_bits{"runtime_test_dll.dll", "#65543"};
    const runtime::DllCommand<OrdinalOnly> unnamed{"runtime_test_dll", "#9"};
    EXPECT_EQ(by_name(2, 3), 5);
    EXPECT_EQ(by_ordinal(20, 22), 42);
    EXPECT_EQ(by_low_16_bits(1, 1), 2);
    EXPECT_EQ(unnamed(), 42);
    // Cached: a second call does not bind again (it would find the same
    // address, so look at the stack instead: a wrong calling convention on
    // either call would have corrupted it by now).
    EXPECT_EQ(by_name(-1, 1), 0);
}

TEST(DllCommand, NameWithADriveIsLoadedAsItIs) {
    const std::string path = runtime::run_directory() + "\\runtime_test_dll.dll";
    ASSERT_NE(path.find(':'), std::string::npos);
    EXPECT_EQ(runtime::DllCommand<AddNumbers>(path.c_str(), "add_numbers")(40, 2), 42);
}

std::vector<std::string> asked;

HMODULE WINAPI refusing_loader(LPCSTR file_name) {
    asked.push_back(file_name);
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

// Every load fails, as when no such file is where it is looked for: a binder
// that falls back to another place, or to the loader's own search, shows it
// here. Wine never loads a second kernel32.dll, so a planted one proves
// nothing there; what is asked for does.
TEST(DllCommand, AsksTheLoaderForOneFullPathOnly) {
    char system[MAX_PATH] = {};
    ASSERT_NE(GetSystemDirectoryA(system, MAX_PATH), 0u);
    const std::string system_folder = system, run_folder = runtime::run_directory();
    struct Case { const char* name; std::string path; };
    const Case cases[] = {
        {"kernel32.dll", system_folder + "\\kernel32.dll"},
        {"kernel32", system_folder + "\\kernel32"},
        {"KERNEL32.DLL", system_folder + "\\KERNEL32.DLL"},
        {"oleacc.dll", system_folder + "\\oleacc.dll"},  // the screen reader support's, never one beside us
        {"oleaut32.dll", system_folder + "\\oleaut32.dll"},
        {"SkinH_EL.dll", run_folder + "\\SkinH_EL.dll"},
        {"kernel32x.dll", run_folder + "\\kernel32x.dll"},
        {"D:\\engines\\SkinH_EL.dll", "D:\\engines\\SkinH_EL.dll"},
    };
    for (const Case& c : cases) {
        asked.clear();
        EXPECT_EQ(runtime::load_declared_dll(c.name, &refusing_loader), nullptr) << c.name;
        EXPECT_EQ(asked, std::vector<std::string>{c.path}) << c.name;
    }
}

TEST(DeclaredCommands, KernelEntriesBindFromTheSystem) {
    // The process's own kernel32, not a second copy.
    const HMODULE kernel32 = runtime::load_declared_dll("kernel32", LoadLibraryA);
    EXPECT_EQ(kernel32, GetModuleHandleA("kernel32.dll"));
    FreeLibrary(kernel32);
    EXPECT_EQ(runtime::get_current_process(), GetCurrentProcess());
    EXPECT_NE(runtime::set_process_working_set_size(runtime::get_current_process(), static_cast<SIZE_T>(-1),
                                                    static_cast<SIZE_T>(-1)),
              FALSE);
    EXPECT_STREQ(runtime::get_current_process.dll_file_name(), "kernel32.dll");
    EXPECT_STREQ(runtime::set_process_working_set_size.dll_file_name(), "kernel32");
}

}  // namespace
