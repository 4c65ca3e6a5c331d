// Shows the program's main window on each tab page for scripts/screenshot.sh:
// starts the program, puts a sample game folder into the path field, and for
// each page prints "page N WIDTHxHEIGHT+LEFT+TOP" (the window's rectangle on
// the screen), then waits for a line on its input before going on. Closes the
// program at the end.
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "app/tests/driver/tool.h"

int main() {
    try {
        driver::Tool tool = driver::start_tool();
        driver::set_game_directory(tool, "D:\\腾讯游戏\\英雄联盟");
        for (int page : {1, 2}) {
            driver::select_page(tool, page);
            SetForegroundWindow(tool.window);
            RECT rect;
            GetWindowRect(tool.window, &rect);
            Sleep(300);  // let the page paint
            std::printf("page %d %ldx%ld+%ld+%ld\n", page, rect.right - rect.left,
                        rect.bottom - rect.top, rect.left, rect.top);
            std::fflush(stdout);
            std::string line;
            if (!std::getline(std::cin, line)) break;
        }
        return driver::close_and_wait(tool) == 0u ? 0 : 1;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "screenshot_helper: %s\n", failure.what());
        return 1;
    }
}
