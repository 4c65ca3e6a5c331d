#pragma once
// Choosing a folder in the program's folder dialog from outside. Typed text is
// ignored by Wine's dialog, so the choice goes in as BFFM_SETSELECTIONA with
// the path copied into the program's memory.
#include <windows.h>

#include <string>

namespace startup_driver {

// Selects `path` (GBK) in the dialog, repeating until the tree shows it
// selected, and returns whether it did before the deadline.
bool select_folder(HANDLE process, HWND dialog, const std::string& path, DWORD timeout_ms = 10000);

// The text of the dialog's prompt (GBK).
std::string folder_dialog_prompt(HWND dialog);

}  // namespace startup_driver
