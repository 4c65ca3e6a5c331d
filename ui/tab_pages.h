#pragma once
#include <windows.h>

namespace ui {

// Shows the controls of the tab control's selected page and hides those of
// the other page. The focus leaves a control that goes hidden, so that the
// keyboard never acts on a button the user cannot see.
void show_selected_page(HWND main_window, HWND tab);

}  // namespace ui
