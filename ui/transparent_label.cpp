#include "ui/transparent_label.h"

#include <commctrl.h>

#include <string>

#include "win32/gdi.h"
#include "win32/window.h"

namespace ui {
namespace {

constexpr UINT_PTR kSubclassId = 1;

void paint(HWND label) {
    const win32::PaintDc dc(label);
    const std::string text = win32::window_text(label);
    if (!dc || text.empty()) return;
    RECT area;
    GetClientRect(label, &area);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0));
    if (font == nullptr) font = GetStockObject(DEFAULT_GUI_FONT);
    const win32::SavedDc saved(dc.get());
    SelectObject(dc.get(), font);
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), RGB(0, 0, 0));
    DrawTextA(dc.get(), text.data(), static_cast<int>(text.size()), &area,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

LRESULT CALLBACK label_proc(HWND label, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                            DWORD_PTR) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // whatever lies beneath shows through
    case WM_PAINT:
        paint(label);
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(label, label_proc, kSubclassId);
        break;
    }
    return DefSubclassProc(label, message, wparam, lparam);
}

}  // namespace

bool make_transparent_label(HWND label) {
    return SetWindowSubclass(label, label_proc, kSubclassId, 0) != FALSE;
}

void repaint_transparent_label(HWND label) {
    HWND parent = GetParent(label);
    RECT area;
    GetWindowRect(label, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(parent, &area, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace ui
