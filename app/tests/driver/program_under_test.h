#pragma once
// Running the program from a folder of the test's own, and finding its main
// window and path field from outside.
#include <windows.h>

#include <string>
#include <string_view>

#include "tests/support/child_process.h"

namespace startup_driver {

// A Windows path for a path of the build tree (CMake hands us Unix paths;
// Wine shows the Unix root as drive Z:).
std::string windows_path(std::string_view unix_path);

// Puts the program (hard link, else copy) into `folder` under its own name and
// returns the new path.
std::string place_program(std::string_view program, const std::string& folder);

// The visible or hidden main window, by its class. Null when there is none.
HWND find_main_window(DWORD process_id);
HWND wait_for_visible_main_window(DWORD process_id, DWORD timeout_ms);

// The path field, by its control id.
HWND find_path_field(HWND main_window);

// The first visible button of the main window with that caption (GBK).
HWND find_button(HWND main_window, std::string_view caption);

// Closes the main window as the close button does and waits for the exit
// code; STILL_ACTIVE when it has not ended in time.
inline constexpr DWORD kCloseTimeoutMs = 10000;
DWORD close_and_wait(const test_support::ChildProcess& program, HWND main_window);

}  // namespace startup_driver
