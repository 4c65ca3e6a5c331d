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

// The page keys of any Windows tab page set: Ctrl+Tab and Ctrl+PgDn step to
// the next page (1), Ctrl+Shift+Tab and Ctrl+PgUp to the previous one (-1);
// 0 for every other message. Read from the keyboard's state, as the key came.
int page_step(const MSG& message);

// Selects the page `step` away from the selected one, wrapping, as a click on
// its tab does (the tab control raises its own notifications), and puts the
// focus on the first button of the page shown, in the table's order.
void turn_page(HWND tab, int step, std::span<const HWND, kControls.size()> controls);

}  // namespace ui
