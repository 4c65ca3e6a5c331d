#include "engine/skin/frame/frame.h"

#include "engine/skin/frame/caption_layout.h"
#include "engine/skin/frame/caption_paint.h"
#include "engine/skin/frame/frame_metrics.h"
#include "engine/skin/frame/window_manager.h"
#include "engine/skin/skinned_window.h"
#include "win32/window.h"

namespace engine {
namespace {

// What DefWindowProc of Windows 10 and 11 sends itself to draw the themed
// caption and frame (0xAE, 0xAF), and the system menu's request of a right
// click on the caption (WM_POPUPSYSTEMMENU): none in the SDK headers.
constexpr UINT kUndocumentedFrameDraw = 0xAE;
constexpr UINT kPopUpSystemMenu = 0x313;

// One message's window, with its layout when the caption is ours to draw.
struct Caption {
    HWND window;
    const SkinResources& skin;
    CaptionState& state;
    int dpi;
    SharedBuffer* buffer;
    CaptionLayout layout{};
    bool ours = false;

    void repaint() const { paint_caption(window, skin, state, dpi, buffer); }
};

POINT window_point(HWND window, POINT screen_point) {
    RECT screen;
    GetWindowRect(window, &screen);
    return POINT{screen_point.x - screen.left, screen_point.y - screen.top};
}

WPARAM command_for(HWND window, LRESULT button) {
    switch (button) {
    case HTCLOSE:
        return SC_CLOSE;
    case HTMINBUTTON:
        return SC_MINIMIZE;
    default:
        return IsZoomed(window) ? SC_RESTORE : SC_MAXIMIZE;
    }
}

// The native handling first, then our caption over whatever it drew.
LRESULT pass_on_and_repaint(const Caption& caption, UINT message, WPARAM wparam, LPARAM lparam) {
    const LRESULT result = pass_on(caption.window, message, wparam, lparam);
    caption.repaint();
    return result;
}

// DefWindowProc draws the system's caption while it handles these messages,
// unless it takes the window for hidden. The style changes without a redraw
// and only for the call; our caption follows whatever the message changed.
LRESULT hand_over_hidden(const Caption& caption, UINT message, WPARAM wparam, LPARAM lparam, bool repaint) {
    HWND window = caption.window;
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const bool visible = (style & WS_VISIBLE) != 0;
    if (visible) SetWindowLongA(window, GWL_STYLE, style & ~WS_VISIBLE);
    const LRESULT result = pass_on(window, message, wparam, lparam);
    if (visible && IsWindow(window)) SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) | WS_VISIBLE);
    if (repaint && IsWindow(window)) caption.repaint();
    return result;
}

bool sizing_edge(LRESULT hit) { return hit >= HTLEFT && hit <= HTBOTTOMRIGHT; }

// What is drawn is what answers: our buttons, the band as caption (a drag,
// the system menu), the client. The border of a fixed frame sizes nothing,
// whatever the system's metrics would say; only a sizable one asks them.
LRESULT hit_test(const Caption& caption, WPARAM wparam, LPARAM lparam) {
    const CaptionLayout& layout = caption.layout;
    const POINT point = window_point(caption.window, win32::point_from_lparam(lparam));
    if (!PtInRect(&layout.window, point)) return HTNOWHERE;
    if (PtInRect(&layout.client, point)) return HTCLIENT;
    const LRESULT button = caption_button_at(layout, point);
    if (button != HTNOWHERE) return button;
    if (PtInRect(&layout.band, point)) return HTCAPTION;
    if ((GetWindowLongA(caption.window, GWL_STYLE) & WS_THICKFRAME) == 0) return HTBORDER;
    const LRESULT native = pass_on(caption.window, WM_NCHITTEST, wparam, lparam);
    return sizing_edge(native) ? native : HTBORDER;
}

// The client area is what the theme's frame leaves of the window.
LRESULT calculate_size(const Caption& caption, LPARAM lparam) {
    const Theme& theme = caption.skin.theme();
    // Both forms of the message start with the proposed window rectangle.
    RECT& rect = *reinterpret_cast<RECT*>(lparam);
    rect = client_inside(frame_metrics(theme, caption.dpi), rect);
    if (rect.right < rect.left) rect.right = rect.left;
    if (rect.bottom < rect.top) rect.bottom = rect.top;
    return 0;
}

void track_hover(Caption& caption, LRESULT hit) {
    const LRESULT hot = is_caption_button(hit) ? hit : HTNOWHERE;
    if (hot == caption.state.hot) return;
    if (caption.state.hot == HTNOWHERE) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | TME_NONCLIENT, caption.window, 0};
        TrackMouseEvent(&track);
    }
    caption.state.hot = hot;
    caption.repaint();
}

void end_hover(Caption& caption) {
    if (caption.state.hot == HTNOWHERE) return;
    caption.state.hot = HTNOWHERE;
    if (caption.ours) caption.repaint();
}

// Our own tracking: the native one would draw native buttons.
void press(Caption& caption, LRESULT button) {
    caption.state.pressed = button;
    caption.state.pressed_inside = true;
    SetCapture(caption.window);
    caption.repaint();
}

// The mouse, captured, moves or lets go: the button shows pressed while the
// mouse is on it and acts only when let go there, as a native one does.
void follow_press(Caption& caption, UINT message, LPARAM lparam) {
    POINT point = win32::point_from_lparam(lparam);
    ClientToScreen(caption.window, &point);
    const bool now_inside = caption.ours &&
        caption_button_at(caption.layout, window_point(caption.window, point)) == caption.state.pressed;
    if (message == WM_MOUSEMOVE) {
        if (now_inside == caption.state.pressed_inside) return;
        caption.state.pressed_inside = now_inside;
        caption.repaint();
        return;
    }
    const LRESULT button = caption.state.pressed;
    caption.state.pressed = HTNOWHERE;
    ReleaseCapture();
    caption.repaint();
    if (now_inside) PostMessageA(caption.window, WM_SYSCOMMAND, command_for(caption.window, button), 0);
}

void cancel_press(Caption& caption, HWND new_capture) {
    if (caption.state.pressed == HTNOWHERE || new_capture == caption.window) return;
    caption.state.pressed = HTNOWHERE;
    if (caption.ours) caption.repaint();
}

// The messages by which the system would size or draw the frame itself.
bool drawing_message(const Caption& caption, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    HWND window = caption.window;
    switch (message) {
    case WM_NCCALCSIZE:
        if (!frame_is_ours(window)) return false;
        result = calculate_size(caption, lparam);
        return true;
    case WM_CREATE:
        result = pass_on(window, message, wparam, lparam);
        if (result != -1 && frame_is_ours(window)) own_frame_pixels(window);
        return true;
    case kUndocumentedFrameDraw:
    case kUndocumentedFrameDraw + 1:
        // Drawn by DefWindowProc from the system's theme; never asked for.
        if (!caption.ours) return false;
        result = 0;
        return true;
    case WM_NCPAINT:
        if (!caption.ours) return false;
        caption.repaint();
        result = 0;
        return true;
    case WM_NCACTIVATE:
        if (!caption.ours) return false;
        // -1: let the activation happen without the native caption being drawn.
        result = pass_on_and_repaint(caption, message, wparam, -1);
        return true;
    case WM_SETTEXT:
    case WM_SETICON:
    case kPopUpSystemMenu:
        if (!caption.ours) return false;
        result = hand_over_hidden(caption, message, wparam, lparam, true);
        return true;
    case WM_SETCURSOR:
        // Over the frame only; it draws nothing of ours, so no repaint (it
        // comes with every move of the mouse).
        if (!caption.ours || reinterpret_cast<HWND>(wparam) != window || LOWORD(lparam) == HTCLIENT) return false;
        result = hand_over_hidden(caption, message, wparam, lparam, false);
        return true;
    case WM_EXITMENULOOP:
        if (!caption.ours) return false;
        result = pass_on_and_repaint(caption, message, wparam, lparam);
        return true;
    default:
        return false;
    }
}

// The mouse on the frame: what it is over, and the caption buttons' hover
// and press.
bool mouse_message(Caption& caption, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    CaptionState& state = caption.state;
    switch (message) {
    case WM_NCHITTEST:
        if (!caption.ours) return false;
        result = hit_test(caption, wparam, lparam);
        return true;
    case WM_NCMOUSEMOVE:
        // Answered here: DefWindowProc would hot-track its own buttons.
        if (!caption.ours) return false;
        track_hover(caption, static_cast<LRESULT>(wparam));
        result = 0;
        return true;
    case WM_NCMOUSELEAVE:
        end_hover(caption);
        if (!caption.ours) return false;
        result = 0;
        return true;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (!caption.ours || !is_caption_button(static_cast<LRESULT>(wparam))) return false;
        press(caption, static_cast<LRESULT>(wparam));
        result = 0;
        return true;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        if (state.pressed == HTNOWHERE) return false;
        follow_press(caption, message, lparam);
        result = 0;
        return true;
    case WM_CAPTURECHANGED:
        cancel_press(caption, reinterpret_cast<HWND>(lparam));
        return false;
    default:
        return false;
    }
}

}  // namespace

void adopt_frame(HWND window) {
    if (!frame_is_ours(window)) return;
    own_frame_pixels(window);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

bool frame_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam, SkinnedWindow& self,
                   LRESULT& result) {
    // Moved to a monitor of another DPI: drawn at it from now on, whatever
    // the system says of the window (Windows 8.1 says nothing).
    if (message == WM_DPICHANGED) self.dpi = LOWORD(wparam);
    CaptionState& state = self.caption;
    Caption caption{window, resources(self), state, drawing_dpi(window), &self.skin->buffer};
    caption.ours = caption_layout(window, caption.dpi, caption.layout);
    if (message == WM_NCACTIVATE) state.active = wparam != FALSE;
    return drawing_message(caption, message, wparam, lparam, result) ||
           mouse_message(caption, message, wparam, lparam, result);
}

}  // namespace engine
