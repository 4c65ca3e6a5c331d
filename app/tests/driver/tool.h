#pragma once
// Starting the program under test and reaching its controls from the driver,
// by window messages only, as a user's clicks and keys would.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/tests/driver/install_path.h"
#include "tests/support/child_process.h"

namespace driver {

inline constexpr DWORD kTimeoutMs = 10000;

// The program beside the driver (both are built into the same folder).
std::string tool_path();

struct Tool {
    test_support::ChildProcess process;
    HWND window = nullptr;  // the main window, shown
    // No game folder registered while the program runs; the value before is
    // put back afterwards.
    std::unique_ptr<startup_driver::InstallPathValue> no_game_folder;
    std::unique_ptr<startup_driver::ScreenDpiValue> screen_dpi;  // as the program was started
};

// Starts the program in `current_directory` (empty: the driver's) and waits
// until its main window is shown, on a screen of `dpi` when one is given. A
// start-up box saying that no game folder is registered is answered on the
// way: these tests start with none.
Tool start_tool(std::string_view current_directory = {}, DWORD dpi = 0);

HWND control(const Tool& tool, std::uint32_t id);

// The window's rectangle relative to its parent's client area.
RECT rect_in_parent(HWND window);

LONG style(HWND window);
LONG ex_style(HWND window);

// Selects a tab page (1 or 2) the way a click on its tab does: the tab control
// raises its own selection-change notifications.
void select_page(const Tool& tool, int page);

// The caption of tab `index`, read through the program's own memory.
std::string tab_caption(const Tool& tool, HWND tab, int index);

// The rectangle of tab `index` in the tab control, read through the program's
// own memory; empty when it cannot be read.
RECT tab_item_rect(const Tool& tool, HWND tab, int index);

// The window that has the keyboard focus in the program's GUI thread.
HWND focused_window(const Tool& tool);

// Puts a game folder into the path field, as start-up would have.
void set_game_directory(const Tool& tool, std::string_view directory);

// What a screen reader reads of a window's accessible object (OBJID_CLIENT,
// or OBJID_WINDOW), asked from this process: `found` is the result of
// AccessibleObjectFromWindow, the texts are GBK, empty where not answered.
struct Spoken {
    HRESULT found;
    std::string name, value, description;
    long role;
};
Spoken spoken(HWND window, LONG object_id = OBJID_CLIENT);

// Closes the main window and returns the exit code, or nothing at the deadline.
std::optional<DWORD> close_and_wait(Tool& tool);

}  // namespace driver
