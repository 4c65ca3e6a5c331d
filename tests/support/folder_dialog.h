#pragma once
// Choosing a folder in another process's folder dialog. Its edit box does not
// work under Wine, so the folder is selected in the tree: the path is copied
// into the process (BFFM_SETSELECTIONA takes a pointer that the dialog reads
// in its own address space) and sent until the tree shows it, since a
// selection sent right after the dialog appears is sometimes dropped.
#include <windows.h>

#include <string>
#include <string_view>

namespace test_support {

// Selects `folder` (GBK, a full path, or a drive root "X:\\") in the dialog
// of `process`; true once the tree's selected item shows it. Press OK (IDOK)
// or Cancel (IDCANCEL) with press_button after.
bool select_folder(HANDLE process, HWND dialog, std::string_view folder, DWORD timeout_ms = 10000);

// The text of the tree's selected item (GBK), read through the process.
std::string selected_folder_item(HANDLE process, HWND dialog);

// The text of the dialog's prompt (GBK).
std::string folder_dialog_prompt(HWND dialog);

}  // namespace test_support
