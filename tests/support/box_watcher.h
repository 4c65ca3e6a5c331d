#pragma once
// Watching for the message boxes of a process and closing them, so tests of
// code that shows boxes run without a human.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace test_support {

inline constexpr int kMessageTextId = 0xFFFF;   // the Static that holds a box's text
inline constexpr int kFolderPromptId = 0x3742;  // the folder dialog's prompt
inline constexpr int kFolderTreeId = 0x3741;    // the folder dialog's tree

struct MessageBoxSeen {
    HWND box = nullptr;
    std::string text;   // GBK, as the program passed it (CR LF kept)
    std::string title;  // GBK
    HWND owner = nullptr;
    bool owner_enabled = false;
    // The process's other top-level windows and whether each was enabled when
    // the box was seen: a task-modal box disables all of them.
    std::vector<std::pair<HWND, bool>> other_windows;

    bool all_other_windows_disabled() const;
    std::string text_utf8() const;  // for failure messages
};

// Waits for a visible message box (a #32770 dialog with a message text) of
// the process and reads it once its text is there; nothing at the deadline.
std::optional<MessageBoxSeen> wait_for_message_box(DWORD process_id, DWORD timeout_ms);

// Waits for a visible folder dialog (a #32770 dialog with a folder tree)
// whose prompt is there.
HWND wait_for_folder_dialog(DWORD process_id, DWORD timeout_ms);

// Presses a dialog button by posting BM_CLICK: a sent message would block
// while the program sits in its modal loop. False when there is no such button.
bool press_button(HWND dialog, int button_id);
inline bool press_ok(HWND dialog) { return press_button(dialog, IDOK); }

// Presses OK on the box and waits until it is gone.
bool close_message_box(const MessageBoxSeen& seen, DWORD timeout_ms = 5000);

}  // namespace test_support
