#include "runtime/fatal_error.h"

#include <windows.h>

#include "runtime/fatal_text.h"
#include "runtime/program_end.h"

namespace runtime {

namespace {

constexpr UINT kFatalExitCode = static_cast<UINT>(-1);

}  // namespace

void fatal_error(int number, std::string_view message) {
    // A second fatal error while the first box is up (from a handler nested in
    // its modal loop, or another thread) ends the process at once: one box.
    if (!mark_fatal_error()) ExitProcess(kFatalExitCode);
    // A fixed buffer: this path must work when memory is exhausted.
    static char text[4096];
    build_fatal_text(text, sizeof text, number, message);
    MessageBoxA(nullptr, text, "错误", MB_ICONERROR | MB_OK);
    drop_exit_routines_and_free_modules();
    ExitProcess(kFatalExitCode);
}

}  // namespace runtime
