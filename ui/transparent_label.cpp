#include "ui/transparent_label.h"

#include <commctrl.h>

#include <string>

namespace ui {
namespace {

constexpr UINT_PTR kSubclassId = 1;

void paint(HWND label) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(label, &ps);
    const int length = GetWindowTextLengthA(label);
    if (length > 0) {
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        const int copied = GetWindowTextA(label, text.data(), length + 1);
        RECT area;
        GetClientRect(label, &area);
        HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0));
        if (font == nullptr) font = GetStockObject(DEFAULT_GUI_FONT);
        HGDIOBJ old_font = SelectObject(dc, font);
        const int old_mode = SetBkMode(dc, TRANSPARENT);
        const COLORREF old_colour = SetTextColor(dc, RGB(0, 0, 0));
        DrawTextA(dc, text.data(), copied, &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
        SetTextColor(dc, old_colour);
        SetBkMode(dc, old_mode);
        SelectObject(dc, old_font);
    }
    EndPaint(label, &ps);
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
