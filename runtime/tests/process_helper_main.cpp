// The ways a program ends, each in a process of its own, for process_test:
//   fatal <number> <message> <log>  exit routines registered, test DLL bound, fatal error
//   end <code> <log>                the same, then the end service
//   fatal-twice <signal>            a second fatal error from inside the first one's
//                                   box, once the file <signal> exists
//   memory                          an allocation that cannot be satisfied
//   dll-missing | entry-missing     a DLL command that cannot be bound
//   run-directory <file>            takes the run directory and writes what it found
//   dll-search <0|1>                loads the test DLL by bare name and by full path,
//                                   after restrict_dll_search when 1; exit code 16,
//                                   + 1 for the bare name loaded, + 2 for the full path
// Exit routines append "A" and "B" to the log file, so a test sees which ran
// and in which order.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/dll_command.h"
#include "runtime/dll_search.h"
#include "runtime/fatal_error.h"
#include "runtime/files.h"
#include "runtime/program_end.h"
#include "runtime/run_directory.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_directory.h"

namespace {

std::string log_path;

void append_to_log(const char* text) {
    const std::string old = test_support::read_whole_file(log_path).value_or("");
    test_support::write_whole_file(log_path, old + text);
}
// Upper case only while the end is known to be under way (events dropped).
void routine_a() { append_to_log(runtime::end_under_way() ? "A" : "a"); }
void routine_b() { append_to_log(runtime::end_under_way() ? "B" : "b"); }

void prepare_end(const char* log) {
    log_path = log;
    runtime::register_exit_routine(routine_a);
    runtime::register_exit_routine(routine_b);
    runtime::register_exit_routine(routine_a);  // once only
    // Bound, so the end clean-up has a module to free.
    const runtime::DllCommand<int WINAPI(int, int)> add{"runtime_test_dll.dll", "add_numbers"};
    if (add(1, 2) != 3) ExitProcess(3);
}

std::string signal_path;

// Polled from the first box's modal loop; the test creates the signal file
// once it has seen that box.
void CALLBACK second_fatal_error(HWND, UINT, UINT_PTR, DWORD) {
    if (GetFileAttributesA(signal_path.c_str()) != INVALID_FILE_ATTRIBUTES) runtime::fatal_error(2, "second");
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "fatal" && argc == 5) {
        prepare_end(argv[4]);
        runtime::fatal_error(std::atoi(argv[2]), argv[3]);
    }
    if (mode == "end" && argc == 4) {
        prepare_end(argv[3]);
        runtime::end_program(std::atoi(argv[2]));
    }
    if (mode == "fatal-twice" && argc == 3) {
        signal_path = argv[2];
        SetTimer(nullptr, 0, 20, second_fatal_error);
        runtime::fatal_error(1, "first");
    }
    if (mode == "memory") {
        // More than any process can have, 32-bit or 64-bit (a
        // large-address-aware 32-bit one may well get 2 GB, a 64-bit one far more).
        volatile std::size_t size = SIZE_MAX - 15;
        // Kept in a volatile, or the compiler may leave the allocation out.
        static char* volatile block;
        block = new char[size];
        return block != nullptr ? 1 : 0;
    }
    if (mode == "dll-missing") {
        const runtime::DllCommand<int WINAPI()> missing{"no_such_library.dll", "SkinH_AttachRes"};
        return missing();
    }
    if (mode == "entry-missing") {
        const runtime::DllCommand<int WINAPI()> missing{"runtime_test_dll.dll", "#99"};
        return missing();
    }
    if (mode == "run-directory" && argc == 3) {
        const std::string report_path = argv[2];
        runtime::take_run_directory();
        char current[MAX_PATH * 2] = {};
        GetCurrentDirectoryA(sizeof current, current);
        test_support::write_whole_file(report_path, runtime::run_directory() + "|" +
                                                        runtime::run_directory() + "\\|" + current);
        return 0;
    }
    if (mode == "dll-search" && argc == 3) {
        if (std::strcmp(argv[2], "1") == 0) runtime::restrict_dll_search();
        const bool bare = LoadLibraryA("runtime_test_dll.dll") != nullptr;
        const bool full = LoadLibraryA((test_support::own_directory() + "\\runtime_test_dll.dll").c_str()) != nullptr;
        return 16 + (bare ? 1 : 0) + (full ? 2 : 0);
    }
    return 2;
}
