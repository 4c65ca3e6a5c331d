#include "engine/skin/painters.h"

namespace engine {

void exclude_opaque_children(HWND window, HDC dc) {
    // A child is visible when the window is and its own style says so:
    // asking IsWindowVisible child after child would walk the same ancestors
    // (one round trip to the window server each time) over and over.
    if (!IsWindowVisible(window)) return;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) == 0) continue;
        if (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_TRANSPARENT) continue;
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
}

void erase_background(HWND window, HDC dc, Rgb color) {
    RECT client;
    GetClientRect(window, &client);
    const win32::SavedDc saved(dc);
    exclude_opaque_children(window, dc);
    fill(dc, client, color);
}

void paint_parent_beneath(HWND child, HDC dc) {
    HWND parent = GetParent(child);
    if (parent == nullptr) return;
    POINT origin{0, 0};
    MapWindowPoints(child, parent, &origin, 1);
    const win32::SavedDc saved(dc);
    POINT old;
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, &old);
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
}

}  // namespace engine
