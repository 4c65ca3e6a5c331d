#include "runtime/program_end.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "runtime/dll_command.h"
#include "runtime/fatal_error.h"

namespace runtime {

namespace {

std::vector<void (*)()>& exit_routines() {
    static std::vector<void (*)()> routines;
    return routines;
}

// Non-zero while an end runs; events are dropped meanwhile.
LONG ends_under_way = 0;
bool cleaned_up = false;

}  // namespace

void register_exit_routine(void (*routine)()) {
    auto& routines = exit_routines();
    if (std::find(routines.begin(), routines.end(), routine) == routines.end())
        routines.push_back(routine);
}

bool end_under_way() { return ends_under_way != 0 || fatal_error_under_way(); }

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

void drop_exit_routines_and_free_modules() {
    // The modules are freed even when the error came from inside the end
    // clean-up itself.
    exit_routines().clear();
    cleaned_up = true;
    free_dll_command_modules();
}

}  // namespace runtime
