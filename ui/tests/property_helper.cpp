// Reads the path field in a process whose window was never loaded, or was
// closed ("closed" argument): the fatal error that ends it is what the
// property tests check from outside.
#include <windows.h>

#include <cstring>

#include "ui/main_window.h"
#include "ui/path_field.h"
#include "ui/properties.h"

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "";
    if (std::strcmp(mode, "closed") == 0) {
        DestroyWindow(ui::create_main_window(nullptr));
        // Take the quit message as the message loop would; left in the queue
        // it would close the fatal error's box at once.
        MSG message;
        PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    } else if (std::strcmp(mode, "unknown-control") == 0) {
        ui::create_main_window(nullptr);
        ui::get_text_property(ui::kMainWindowId, 0x16019999, ui::kPropertyCaption);
        return 2;
    }
    ui::read_game_directory();
    return 1;  // not reached: the read is fatal
}
