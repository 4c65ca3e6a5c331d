#pragma once
// The engine's painters. Each draws one window's whole client area into the DC
// it is given (a back buffer or a WM_PRINTCLIENT target), never straight to
// the screen, at the DPI it is given: the theme's lengths are for 96 DPI and
// are scaled (win32::scale), its text is drawn in a font made for that DPI,
// never stretched.
#include <windows.h>

#include "engine/skin/resources.h"
#include "win32/dpi.h"

namespace engine {

// Background of a frame or dialog; children that paint themselves are left out
// so they don't flash. Transparent children are not left out: they show it.
void erase_background(HWND window, HDC dc, Rgb color);

void paint_button(HWND button, HDC dc, const SkinResources& skin, bool hot, int dpi);

void paint_label(HWND label, HDC dc, const SkinResources& skin);

void paint_tab(HWND tab, HDC dc, const SkinResources& skin, int hot_item, int dpi);
// The band along the top that holds the tabs, in client coordinates.
RECT tab_strip(HWND tab);

// Paints what `parent` shows beneath `child` into `dc` (origin at the child's
// client origin), the way a transparent window expects to be backed.
void paint_parent_beneath(HWND child, HDC dc);

// Excludes from the DC's clipping the visible children that paint their own
// background.
void exclude_opaque_children(HWND window, HDC dc);

}  // namespace engine
