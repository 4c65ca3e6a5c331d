#include "runtime/process.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "runtime/dll_command.h"
#include "runtime/fatal_text.h"

namespace runtime {

namespace {

std::vector<void (*)()>& exit_routines() {
    static std::vector<void (*)()> routines;
    return routines;
}

// Non-zero while an end or a fatal error runs; events are dropped meanwhile.
LONG ends_under_way = 0;
LONG fatal_errors = 0;
bool cleaned_up = false;

constexpr UINT kFatalExitCode = static_cast<UINT>(-1);

}  // namespace

void register_exit_routine(void (*routine)()) {
    auto& routines = exit_routines();
    if (std::find(routines.begin(), routines.end(), routine) == routines.end())
        routines.push_back(routine);
}

bool end_under_way() { return ends_under_way != 0 || fatal_errors != 0; }

void run_end_cleanup() {
    // Once only, even when an exit routine itself ends the program.
    if (cleaned_up) return;
    cleaned_up = true;
    auto& routines = exit_routines();
    // By index: a fatal error inside a routine empties the list under us.
    for (std::size_t i = 0; i < routines.size(); ++i) routines[i]();
    routines.clear();
    free_dll_command_modules();
}

void end_program(int exit_code) {
    InterlockedIncrement(&ends_under_way);
    run_end_cleanup();
    ExitProcess(static_cast<UINT>(exit_code));
}

void fatal_error(int number, std::string_view message) {
    // A second fatal error while the first box is up (from a handler nested in
    // its modal loop, or another thread) ends the process at once: one box.
    if (InterlockedIncrement(&fatal_errors) > 1) ExitProcess(kFatalExitCode);
    // A fixed buffer: this path must work when memory is exhausted.
    static char text[4096];
    build_fatal_text(text, sizeof text, number, message);
    MessageBoxA(nullptr, text, "错误", MB_ICONERROR | MB_OK);
    // The exit routines are dropped unrun; the modules are freed even when
    // the error came from inside the end clean-up itself.
    exit_routines().clear();
    cleaned_up = true;
    free_dll_command_modules();
    ExitProcess(kFatalExitCode);
}

Text fatal_error_text(int number, std::string_view message) {
    Text text(message.size() + 64, '\0');
    text.resize(build_fatal_text(text.data(), text.size(), number, message));
    return text;
}

}  // namespace runtime
