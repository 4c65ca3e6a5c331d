// Shows the program's main window on each tab page for scripts/screenshot.sh:
// starts the program, puts a sample game folder into the path field, and for
// each page prints "page N WIDTHxHEIGHT+LEFT+TOP" (the window's rectangle on
// the screen), then waits for a line on its input before going on; then the
// same for the group notice's box ("box ..."). Closes the program at the end.
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "app/tests/driver/tool.h"
#include "tests/support/box_watcher.h"
#include "ui/control_table.h"

namespace {

// Prints "NAME GEOMETRY" once the window has painted; false when the script
// is gone.
bool show(const std::string& name, HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    Sleep(1000);  // the rows of labels paint last; a busy machine takes its time
    std::printf("%s %ldx%ld+%ld+%ld\n", name.c_str(), rect.right - rect.left, rect.bottom - rect.top, rect.left,
                rect.top);
    std::fflush(stdout);
    std::string line;
    return static_cast<bool>(std::getline(std::cin, line));
}

}  // namespace

int main() {
    try {
        driver::Tool tool = driver::start_tool();
        driver::set_game_directory(tool, "D:\\腾讯游戏\\英雄联盟");
        for (int page : {1, 2}) {
            driver::select_page(tool, page);
            SetForegroundWindow(tool.window);
            if (!show("page " + std::to_string(page), tool.window)) break;
        }
        PostMessageA(driver::control(tool, ui::kNoticeButtonId), BM_CLICK, 0, 0);
        if (const auto box = test_support::wait_for_message_box(tool.process.id(), driver::kTimeoutMs)) {
            show("box", box->box);
            test_support::close_message_box(*box);
        }
        return driver::close_and_wait(tool) == 0u ? 0 : 1;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "screenshot_helper: %s\n", failure.what());
        return 1;
    }
}
