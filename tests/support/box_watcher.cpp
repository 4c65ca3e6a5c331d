#include "tests/support/box_watcher.h"

#include "tests/support/deadline.h"
#include "tests/support/window_search.h"
#include "tests/support/window_text.h"

namespace test_support {

namespace {

HWND find_dialog_with(DWORD process_id, int control_id) {
    for (HWND window : top_level_windows(process_id)) {
        if (!IsWindowVisible(window) || window_class(window) != "#32770") continue;
        if (GetDlgItem(window, control_id) != nullptr) return window;
    }
    return nullptr;
}

// A dialog is visible a moment before its loop first asks for a message,
// and may be read with its texts still empty then (on a loaded machine, more
// than a moment): its texts are waited for, up to this long.
constexpr DWORD kFillTimeoutMs = 5000;
// A box may be titled with the empty text: once its text is there, a title
// still missing is given this long.
constexpr DWORD kTitleGraceMs = 300;

void read_texts(MessageBoxSeen& seen) {
    const HWND text = GetDlgItem(seen.box, kMessageTextId);
    poll_until(kFillTimeoutMs, [&] {
        seen.text = window_text(text);
        return !seen.text.empty() || !IsWindow(seen.box);
    });
    poll_until(kTitleGraceMs, [&] {
        seen.title = window_text(seen.box);
        return !seen.title.empty() || !IsWindow(seen.box);
    });
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
    read_texts(seen);
    seen.owner = GetWindow(box, GW_OWNER);
    seen.owner_enabled = seen.owner != nullptr && IsWindowEnabled(seen.owner);
    for (HWND window : top_level_windows(process_id))
        if (window != box) seen.other_windows.emplace_back(window, IsWindowEnabled(window) != FALSE);
    return seen;
}

HWND wait_for_folder_dialog(DWORD process_id, DWORD timeout_ms) {
    const HWND dialog = poll_until(timeout_ms, [&] { return find_dialog_with(process_id, kFolderTreeId); });
    // Filled like a box: its prompt tells when.
    if (dialog != nullptr)
        poll_until(kFillTimeoutMs,
                   [&] { return !window_text(GetDlgItem(dialog, kFolderPromptId)).empty() || !IsWindow(dialog); });
    return dialog;
}

bool press_button(HWND dialog, int button_id) {
    const HWND button = GetDlgItem(dialog, button_id);
    return button != nullptr && PostMessageW(button, BM_CLICK, 0, 0);
}

bool close_message_box(const MessageBoxSeen& seen, DWORD timeout_ms) {
    return press_ok(seen.box) && wait_for_window_gone(seen.box, timeout_ms);
}

}  // namespace test_support
