#include "runtime/dll_command.h"

#include <gtest/gtest.h>

#include "runtime/declared_commands.h"
#include "runtime/process.h"

namespace {

using AddNumbers = int WINAPI(int, int);
using OrdinalOnly = int WINAPI();

// The test DLL lies beside this program, in its run directory.
TEST(DllCommand, BindsByNameAndByOrdinal) {
    const runtime::DllCommand<AddNumbers> by_name{0, "runtime_test_dll.dll", "add_numbers"};
    const runtime::DllCommand<AddNumbers> by_ordinal{1, "runtime_test_dll.dll", "#7"};
    const runtime::DllCommand<AddNumbers> by_low_16_bits{2, "runtime_test_dll.dll", "#65543"};
    const runtime::DllCommand<OrdinalOnly> unnamed{3, "runtime_test_dll", "#9"};
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
    EXPECT_EQ(runtime::DllCommand<AddNumbers>(0, path.c_str(), "add_numbers")(40, 2), 42);
}

TEST(DeclaredCommands, KernelEntriesBindFromTheSystem) {
    EXPECT_EQ(runtime::get_current_process(), GetCurrentProcess());
    EXPECT_NE(runtime::set_process_working_set_size(runtime::get_current_process(), static_cast<SIZE_T>(-1),
                                                    static_cast<SIZE_T>(-1)),
              FALSE);
    EXPECT_STREQ(runtime::skin_attach_res.dll_file_name(), "SkinH_EL.dll");
    EXPECT_STREQ(runtime::get_current_process.dll_file_name(), "kernel32.dll");
    EXPECT_STREQ(runtime::set_process_working_set_size.dll_file_name(), "kernel32");
}

}  // namespace
