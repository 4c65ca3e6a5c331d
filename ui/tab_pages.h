#pragma once
#include <windows.h>

#include <span>

#include "ui/control_table.h"

namespace ui {

// Shows the controls of the tab control's selected page and hides those of
// the other page. The focus leaves a control that goes hidden, so that the
// keyboard never acts on a button the user cannot see. `controls` are the
// window's, in the table's order: the window passes them in, as this file
// sits below it.
void show_selected_page(HWND main_window, HWND tab, std::span<const HWND, kControls.size()> controls);

}  // namespace ui
