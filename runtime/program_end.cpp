#include "runtime/program_end.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace runtime {

namespace {

std::vector<void (*)()>& exit_routines() {
    static std::vector<void (*)()> routines;
    return routines;
}

// Non-zero while an end runs, and from the first fatal error on; events are
// dropped meanwhile.
LONG ends_under_way = 0;
LONG fatal_errors = 0;
bool cleaned_up = false;
void (*module_release)() = nullptr;

void release_modules() {
    if (module_release != nullptr) module_release();
}

}  // namespace

void register_exit_routine(void (*routine)()) {
    auto& routines = exit_routines();
    if (std::find(routines.begin(), routines.end(), routine) == routines.end())
        routines.push_back(routine);
}

void set_module_release(void (*release)()) { module_release = release; }

bool end_under_way() { return ends_under_way != 0 || fatal_errors != 0; }

// Counted, not set: a second fatal error, from a handler nested in the first
// one's box or from another thread, must see that it is the second.
bool mark_fatal_error() { return InterlockedIncrement(&fatal_errors) == 1; }

void run_end_cleanup() {
    // Once only, even when an exit routine itself ends the program.
    if (cleaned_up) return;
    cleaned_up = true;
    auto& routines = exit_routines();
    // By index: a fatal error inside a routine empties the list under us.
    for (std::size_t i = 0; i < routines.size(); ++i) routines[i]();
    routines.clear();
    release_modules();
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
    release_modules();
}

}  // namespace runtime
