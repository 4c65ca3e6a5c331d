#include "engine/skin/window_messages.h"

#include <commctrl.h>

#include "engine/skin/back_buffer.h"
#include "engine/skin/painters.h"
#include "engine/skin/skinned_window.h"
#include "win32/window.h"

namespace engine {
namespace {

// Paints through a back buffer so the screen sees one finished picture.
template <typename Paint>
void paint_buffered(HWND window, SkinnedWindow& self, bool keep_children, Paint paint) {
    const win32::PaintDc dc(window);
    if (!dc) return;
    RECT client;
    GetClientRect(window, &client);
    const BackBuffer buffer(&self.skin->buffer, dc.get(), client.right, client.bottom);
    paint(buffer.dc());
    if (!buffer.off_screen()) return;
    if (keep_children) exclude_opaque_children(window, dc.get());
    buffer.present();
}

// The paint messages of a control painted in full by `paint`: no erase (the
// painter covers everything), WM_PAINT through a back buffer, WM_PRINTCLIENT
// straight into the DC it brings. False for any other message.
template <typename Paint>
bool paint_message(HWND window, SkinnedWindow& self, UINT message, WPARAM wparam, bool keep_children,
                   Paint paint, LRESULT& result) {
    switch (message) {
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT:
        paint_buffered(window, self, keep_children, paint);
        result = 0;
        return true;
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wparam));
        result = 0;
        return true;
    default:
        return false;
    }
}

// The native button and static draw straight to the screen when their state
// or text changes. Hiding the window for the duration makes them skip that
// drawing; the caller then invalidates and our painter draws instead.
LRESULT quietly(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (!IsWindowVisible(window)) return pass_on(window, message, wparam, lparam);
    pass_on(window, WM_SETREDRAW, FALSE, 0);
    const LRESULT result = pass_on(window, message, wparam, lparam);
    if (IsWindow(window)) pass_on(window, WM_SETREDRAW, TRUE, 0);
    return result;
}

// After the native handling of a message: our painter draws the new state.
LRESULT then_repaint(HWND window, LRESULT result) {
    if (IsWindow(window)) InvalidateRect(window, nullptr, FALSE);
    return result;
}

void track_leave(HWND window) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
    TrackMouseEvent(&track);
}

bool answer_colour(UINT message, WPARAM wparam, LPARAM lparam, const SkinResources& skin,
                   Role background, Role text, LRESULT& result) {
    HDC dc = reinterpret_cast<HDC>(wparam);
    switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
        SetTextColor(dc, colorref(skin.color(text)));
        SetBkColor(dc, colorref(skin.color(background)));
        if (message == WM_CTLCOLORSTATIC &&
            (GetWindowLongA(reinterpret_cast<HWND>(lparam), GWL_EXSTYLE) & WS_EX_TRANSPARENT)) {
            SetBkMode(dc, TRANSPARENT);
        }
        result = reinterpret_cast<LRESULT>(skin.brush(background));
        return true;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        SetTextColor(dc, colorref(skin.color(Role::kFieldText)));
        SetBkColor(dc, colorref(skin.color(Role::kField)));
        result = reinterpret_cast<LRESULT>(skin.brush(Role::kField));
        return true;
    default:
        return false;
    }
}

bool push_button(HWND window) {
    const LONG type = GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

}  // namespace

LRESULT frame_window_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam, SkinnedWindow& self) {
    const bool dialog = self.kind == WindowKind::kDialog;
    const Role background = dialog ? Role::kDialog : Role::kWindow;
    LRESULT result;
    if (answer_colour(message, wparam, lparam, resources(self), background,
                      dialog ? Role::kDialogText : Role::kLabelText, result)) {
        return result;
    }
    if (message == WM_ERASEBKGND) {
        erase_background(window, reinterpret_cast<HDC>(wparam), resources(self).color(background));
        return 1;
    }
    if (message == WM_PRINTCLIENT) {
        // Printing asks for the client alone, often without an erase first
        // (PrintWindow, transparent children backing themselves); children are
        // printed separately, so their places are filled too.
        RECT client;
        GetClientRect(window, &client);
        fill(reinterpret_cast<HDC>(wparam), client, resources(self).color(background));
    }
    return pass_on(window, message, wparam, lparam);
}

LRESULT button_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam, SkinnedWindow& self) {
    // A style change may have turned it into another kind of button.
    if (!push_button(window)) return pass_on(window, message, wparam, lparam);
    LRESULT result;
    const auto paint = [&](HDC dc) { paint_button(window, dc, resources(self), self.hot, drawing_dpi(window)); };
    if (paint_message(window, self, message, wparam, false, paint, result)) return result;
    switch (message) {
    case WM_MOUSEMOVE: {
        result = quietly(window, message, wparam, lparam);
        if (!IsWindow(window)) return result;
        if (!self.hot) {
            self.hot = true;
            track_leave(window);
            InvalidateRect(window, nullptr, FALSE);
        }
        return result;
    }
    case WM_MOUSELEAVE:
        self.hot = false;
        InvalidateRect(window, nullptr, FALSE);
        return pass_on(window, message, wparam, lparam);
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
    case WM_SYSCOLORCHANGE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_SETCHECK:
        return then_repaint(window, quietly(window, message, wparam, lparam));
    case WM_LBUTTONUP:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case BM_CLICK:
        // These may run the click's handler (a message box, say), so the
        // button must stay visible; repaint over the native drawing after.
        return then_repaint(window, pass_on(window, message, wparam, lparam));
    default:
        return pass_on(window, message, wparam, lparam);
    }
}

LRESULT label_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam, SkinnedWindow& self) {
    LRESULT result;
    const auto paint = [&](HDC dc) { paint_label(window, dc, resources(self)); };
    if (paint_message(window, self, message, wparam, false, paint, result)) return result;
    // What changes how a label looks: repainted over the native drawing.
    if (message == WM_SETTEXT || message == WM_ENABLE || message == WM_SETFONT || message == WM_UPDATEUISTATE)
        return then_repaint(window, quietly(window, message, wparam, lparam));
    return pass_on(window, message, wparam, lparam);
}

LRESULT tab_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam, SkinnedWindow& self) {
    LRESULT result;
    if (answer_colour(message, wparam, lparam, resources(self), Role::kTabBody, Role::kLabelText,
                      result)) {
        return result;
    }
    // Its children are left out of the blit: they paint themselves.
    const auto paint = [&](HDC dc) { paint_tab(window, dc, resources(self), self.hot_item, drawing_dpi(window)); };
    if (paint_message(window, self, message, wparam, true, paint, result)) return result;
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE: {
        TCHITTESTINFO hit{};
        hit.pt = win32::point_from_lparam(lparam);
        const int item = message == WM_MOUSELEAVE
                             ? -1
                             : static_cast<int>(SendMessageA(window, TCM_HITTEST, 0,
                                                             reinterpret_cast<LPARAM>(&hit)));
        if (item != self.hot_item) {
            if (self.hot_item < 0) track_leave(window);
            self.hot_item = item;
            const RECT strip = tab_strip(window);
            InvalidateRect(window, &strip, FALSE);
        }
        return pass_on(window, message, wparam, lparam);
    }
    default:
        return pass_on(window, message, wparam, lparam);
    }
}

void colour_tree(HWND window, const SkinResources& skin) {
    SendMessageA(window, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(colorref(skin.color(Role::kField))));
    SendMessageA(window, TVM_SETTEXTCOLOR, 0,
                 static_cast<LPARAM>(colorref(skin.color(Role::kFieldText))));
}

LRESULT tree_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam, SkinnedWindow& self) {
    const LRESULT result = pass_on(window, message, wparam, lparam);
    if (message == WM_CREATE && result == 0) colour_tree(window, resources(self));
    return result;
}

}  // namespace engine
