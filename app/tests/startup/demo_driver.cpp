// Drives one demo run for scripts/run.sh when there is no display to click on:
// picks the demo game folder, waits for the main window, installs the first
// pack and closes. At each sight worth a picture it prints "shot <name>" and
// holds still for a moment while the script takes the screenshot.
//   startup_demo_driver <program> <game folder>
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>

#include "tests/support/folder_dialog.h"
#include "app/tests/driver/program_under_test.h"
#include "tests/support/box_watcher.h"
#include "tests/support/child_process.h"
#include "tests/support/window_text.h"

namespace {

constexpr DWORD kTimeoutMs = 30000;
constexpr DWORD kSettleMs = 1000;
constexpr DWORD kHoldStillMs = 2500;

void shot(const char* name) {
    Sleep(kSettleMs);  // a window just shown paints in its own time
    std::printf("shot %s\n", name);
    std::fflush(stdout);
    Sleep(kHoldStillMs);
}

int fail(const char* what) {
    std::printf("failed: %s\n", what);
    return 1;
}

int run(const std::string& program_path, const std::string& game) {
    test_support::ChildProcess program(program_path);
    const HWND dialog = test_support::wait_for_folder_dialog(program.id(), kTimeoutMs);
    if (dialog == nullptr) return fail("no folder dialog");
    if (!test_support::select_folder(program.handle(), dialog, game)) return fail("cannot select the game folder");
    shot("folder-dialog");
    test_support::press_ok(dialog);

    const HWND window = startup_driver::wait_for_visible_main_window(program.id(), kTimeoutMs);
    if (window == nullptr) return fail("no main window");
    shot("main-window");

    const HWND apply = startup_driver::find_button(window, "修改");
    if (apply == nullptr) return fail("no apply button");
    PostMessageW(apply, BM_CLICK, 0, 0);
    const auto box = test_support::wait_for_message_box(program.id(), kTimeoutMs);
    if (!box) return fail("no message after the apply press");
    std::printf("message: %s\n", box->text_utf8().c_str());
    shot("applied");
    test_support::close_message_box(*box);
    std::printf("exit code: %lu\n", startup_driver::close_and_wait(program, window));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: startup_demo_driver <program> <game folder>\n");
        return 2;
    }
    try {
        return run(argv[1], argv[2]);
    } catch (const std::exception& error) {
        return fail(error.what());
    }
}
