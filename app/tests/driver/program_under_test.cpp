#include "app/tests/driver/program_under_test.h"

#include <algorithm>
#include <stdexcept>

#include "tests/support/deadline.h"
#include "tests/support/window_search.h"
#include "tests/support/window_text.h"
#include "ui/control_table.h"
#include "ui/main_window.h"

namespace startup_driver {

std::string windows_path(std::string_view unix_path) {
    std::string path = "Z:" + std::string(unix_path);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string place_program(std::string_view program, const std::string& folder) {
    const std::string source(program);
    const std::string target = folder + source.substr(source.find_last_of('\\'));
    // The program carries 100 MB of packs: a link is instant, a copy is not.
    if (!CreateHardLinkA(target.c_str(), source.c_str(), nullptr) &&
        !CopyFileA(source.c_str(), target.c_str(), TRUE))
        throw std::runtime_error("cannot place the program in " + folder);
    return target;
}

HWND find_main_window(DWORD process_id) {
    return test_support::find_top_level_window(process_id, {.class_name = ui::kMainWindowClassName, .visible = std::nullopt});
}

HWND wait_for_visible_main_window(DWORD process_id, DWORD timeout_ms) {
    return test_support::poll_until(timeout_ms, [&]() -> HWND {
        const HWND window = find_main_window(process_id);
        return window != nullptr && IsWindowVisible(window) ? window : nullptr;
    });
}

namespace {

bool is_button_with_caption(HWND child, const void* caption) {
    return test_support::window_class(child) == "Button" && IsWindowVisible(child) &&
           test_support::window_text(child) == *static_cast<const std::string_view*>(caption);
}

}  // namespace

HWND find_path_field(HWND main_window) { return test_support::find_child(main_window, static_cast<int>(ui::kPathFieldId)); }

HWND find_button(HWND main_window, std::string_view caption) {
    return test_support::find_descendant(main_window, &is_button_with_caption, &caption);
}

DWORD close_and_wait(const test_support::ChildProcess& program, HWND main_window) {
    PostMessageW(main_window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return program.wait(kCloseTimeoutMs).value_or(STILL_ACTIVE);
}

}  // namespace startup_driver
