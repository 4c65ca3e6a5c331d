#pragma once
// Finding the windows of another process (or of this one, from a watcher
// thread) without a window manager or input focus.
#include <windows.h>

#include <optional>
#include <string_view>
#include <vector>

namespace test_support {

struct WindowQuery {
    std::string_view class_name = {};  // empty: any class
    std::optional<bool> visible;       // nothing: either
};

// Every top-level window of the process, in Z order.
std::vector<HWND> top_level_windows(DWORD process_id);

// The first top-level window of the process that matches, or null.
HWND find_top_level_window(DWORD process_id, const WindowQuery& query);

// Polls every 20 ms until a matching window exists; null at the deadline.
HWND wait_for_top_level_window(DWORD process_id, const WindowQuery& query, DWORD timeout_ms);

// Polls until the window is gone (destroyed); false at the deadline.
bool wait_for_window_gone(HWND window, DWORD timeout_ms);

// The first descendant of `parent`, at any depth, for which `matches` is true
// (`context` is handed to it); null when there is none.
HWND find_descendant(HWND parent, bool (*matches)(HWND window, const void* context), const void* context);

// A descendant of `parent` with the control id, searched at every depth
// (controls on tab pages sit below the page); null when there is none.
HWND find_child(HWND parent, int control_id);

}  // namespace test_support
