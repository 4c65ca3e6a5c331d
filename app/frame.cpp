#include "app/frame.h"

#include <windows.h>

#include "app/event_delivery.h"
#include "app/startup.h"
#include "runtime/code_page.h"
#include "runtime/dll_search.h"
#include "runtime/fatal_error.h"
#include "runtime/program_end.h"
#include "runtime/run_directory.h"
#include "ui/main_window.h"

namespace app {
namespace {

constexpr char kWindowNotCreated[] = "载入启动窗口失败";

void run_message_loop(HWND window) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // The page keys first: the dialog interface would take Ctrl+Tab for Tab.
        if (ui::take_window_key(message)) continue;
        // Esc and Tab as in a dialog: Esc closes, Tab walks the visible buttons.
        if (IsWindow(window) && IsDialogMessageA(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

int start() {
    // Before anything loads a DLL, touches a file or opens a window.
    runtime::restrict_dll_search();
    runtime::require_program_code_page();
    runtime::take_run_directory();
    runtime::register_exit_routine(release_chosen_directory);

    HWND window = ui::create_main_window(deliver_event);
    if (window == nullptr) runtime::fatal_error(0, kWindowNotCreated);
    // The start-up handler runs to its end while the window is still hidden;
    // it may end the program, or its boxes may have closed the window.
    deliver_event(ui::kMainWindowId, &ui::kWindowRecord, ui::Event::kCreated);
    if (!IsWindow(window)) {
        runtime::run_end_cleanup();
        return 0;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    SetFocus(window);

    run_message_loop(window);
    runtime::run_end_cleanup();
    return 0;
}

}  // namespace app
