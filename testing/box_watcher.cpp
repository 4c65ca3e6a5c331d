#include "testing/box_watcher.h"

#include "testing/deadline.h"
#include "testing/window_search.h"
#include "testing/window_text.h"

namespace test_support {

namespace {

HWND find_dialog_with(DWORD process_id, int control_id) {
    for (HWND window : top_level_windows(process_id)) {
        if (!IsWindowVisible(window) || window_class(window) != "#32770") continue;
        if (GetDlgItem(window, control_id) != nullptr) return window;
    }
    return nullptr;
}

}  // namespace

bool MessageBoxSeen::all_other_windows_disabled() const {
    for (const auto& [window, enabled] : other_windows)
        if (enabled) return false;
    return true;
}

std::string MessageBoxSeen::text_utf8() const { return gbk_to_utf8(text); }

std::optional<MessageBoxSeen> wait_for_message_box(DWORD process_id, DWORD timeout_ms) {
    const HWND box =
        poll_until(timeout_ms, [&] { return find_dialog_with(process_id, kMessageTextId); });
    if (box == nullptr) return std::nullopt;
    MessageBoxSeen seen;
    seen.box = box;
    seen.text = window_text(GetDlgItem(box, kMessageTextId));
    seen.title = window_text(box);
    seen.owner = GetWindow(box, GW_OWNER);
    seen.owner_enabled = seen.owner != nullptr && IsWindowEnabled(seen.owner);
    for (HWND window : top_level_windows(process_id))
        if (window != box) seen.other_windows.emplace_back(window, IsWindowEnabled(window) != FALSE);
    return seen;
}

HWND wait_for_folder_dialog(DWORD process_id, DWORD timeout_ms) {
    return poll_until(timeout_ms, [&] { return find_dialog_with(process_id, kFolderTreeId); });
}

bool press_button(HWND dialog, int button_id) {
    const HWND button = GetDlgItem(dialog, button_id);
    return button != nullptr && PostMessageW(button, BM_CLICK, 0, 0);
}

bool close_message_box(const MessageBoxSeen& seen, DWORD timeout_ms) {
    return press_ok(seen.box) && wait_for_window_gone(seen.box, timeout_ms);
}

}  // namespace test_support
