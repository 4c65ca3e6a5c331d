#pragma once
#include <windows.h>

namespace ui {

// Makes a "Static" window with WS_EX_TRANSPARENT draw itself as a transparent
// label: no background of its own, black text in the window's font, left and
// vertically centred on one line, not clipped to the control.
bool make_transparent_label(HWND label);

// Repaints a transparent label after its text changed. Its old text lies on
// the parent's pixels, so the parent area beneath is redrawn first.
void repaint_transparent_label(HWND label);

}  // namespace ui
