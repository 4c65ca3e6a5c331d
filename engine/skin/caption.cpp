#include "engine/skin/caption.h"

#include <commctrl.h>

#include <string>

#include "engine/skin/back_buffer.h"
#include "engine/skin/painters.h"
#include "engine/skin/skinned_window.h"
#include "win32/window.h"

namespace engine {
namespace {

constexpr int kMinimumBand = 12;  // below this there is no caption of ours to draw
constexpr Rgb kCloseHot{0xE8, 0x11, 0x23};

// Everything in window coordinates (origin at the window's top-left corner).
struct Layout {
    RECT window, client, band, icon, title, close, maximize, minimize;
};

bool inside(const RECT& rect, POINT point) { return PtInRect(&rect, point) != FALSE; }

// False when the caption is not ours to draw: a window manager's decoration,
// a menu bar or scroll bars in the non-client area, or a minimised window.
bool layout_of(HWND window, Layout& layout) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    if ((style & WS_CAPTION) != WS_CAPTION || (style & (WS_VSCROLL | WS_HSCROLL)) ||
        GetMenu(window) != nullptr || IsIconic(window)) {
        return false;
    }
    RECT screen;
    GetWindowRect(window, &screen);
    RECT client;
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -screen.left, -screen.top);
    layout.window = RECT{0, 0, screen.right - screen.left, screen.bottom - screen.top};
    layout.client = client;
    const int edge = client.left;  // the frame is as thick at the top as at the sides
    layout.band = RECT{edge, edge, layout.window.right - edge, client.top};
    const int height = layout.band.bottom - layout.band.top;
    if (height < kMinimumBand) return false;

    const int size = height - 4;
    const int width = size + size / 2;
    RECT next{layout.band.right - 2 - width, layout.band.top + 2, layout.band.right - 2, layout.band.bottom - 2};
    const auto take = [&](bool present, RECT& slot) {
        slot = RECT{};
        if (!present) return;
        slot = next;
        OffsetRect(&next, -width, 0);
    };
    take((style & WS_SYSMENU) != 0, layout.close);
    take((style & WS_SYSMENU) && (style & WS_MAXIMIZEBOX), layout.maximize);
    take((style & WS_SYSMENU) && (style & WS_MINIMIZEBOX), layout.minimize);
    const int icon_top = layout.band.top + (height - 16) / 2;
    layout.icon = (style & WS_SYSMENU) ? RECT{layout.band.left + 4, icon_top, layout.band.left + 20, icon_top + 16}
                                       : RECT{layout.band.left, icon_top, layout.band.left, icon_top};
    layout.title = RECT{layout.icon.right + 6, layout.band.top, next.right - 4, layout.band.bottom};
    return true;
}

LRESULT button_at(const Layout& layout, POINT point) {
    if (inside(layout.close, point)) return HTCLOSE;
    if (inside(layout.maximize, point)) return HTMAXBUTTON;
    if (inside(layout.minimize, point)) return HTMINBUTTON;
    return HTNOWHERE;
}

POINT window_point(HWND window, POINT screen_point) {
    RECT screen;
    GetWindowRect(window, &screen);
    return POINT{screen_point.x - screen.left, screen_point.y - screen.top};
}

Rgb mix(Rgb a, Rgb b) {
    return Rgb{static_cast<std::uint8_t>((a.r + b.r) / 2), static_cast<std::uint8_t>((a.g + b.g) / 2),
               static_cast<std::uint8_t>((a.b + b.b) / 2)};
}

void line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void draw_button(HDC dc, const RECT& rect, LRESULT which, const CaptionState& state, Rgb face, Rgb glyph) {
    if (IsRectEmpty(&rect)) return;
    const bool pressed = state.pressed == which && state.pressed_inside;
    const bool hot = state.hot == which || pressed;
    if (hot) {
        Rgb back = which == HTCLOSE ? kCloseHot : lighten(face, 22);
        if (pressed) back = mix(back, Rgb{0, 0, 0});
        fill(dc, rect, back);
    }
    const win32::UniquePen pen(CreatePen(PS_SOLID, 1, colorref(hot && which == HTCLOSE ? Rgb{255, 255, 255} : glyph)));
    if (!pen) return;
    const win32::SelectGuard use(dc, pen.get());
    const int cx = (rect.left + rect.right) / 2, cy = (rect.top + rect.bottom) / 2;
    const int r = (rect.bottom - rect.top) / 4;
    switch (which) {
    case HTCLOSE:
        line(dc, cx - r, cy - r, cx + r + 1, cy + r + 1);
        line(dc, cx - r, cy + r, cx + r + 1, cy - r - 1);
        break;
    case HTMAXBUTTON: {
        const win32::SelectGuard hollow(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, cx - r, cy - r, cx + r + 1, cy + r + 1);
        break;
    }
    default:
        line(dc, cx - r, cy + r / 2, cx + r + 1, cy + r / 2);
        break;
    }
}

void paint(HWND window, const SkinResources& skin, const CaptionState& state) {
    Layout layout;
    if (!layout_of(window, layout)) return;
    const win32::WindowDc window_dc(window);
    if (!window_dc) return;
    HDC dc = window_dc.get();
    const Theme& theme = skin.theme();
    const Rgb face = state.active ? theme[Role::kCaption] : mix(theme[Role::kCaption], theme[Role::kWindow]);
    const Rgb text = theme[Role::kCaptionText];

    // The band goes through a buffer (the thread's shared one when it is
    // free); the thin frame edges are drawn directly.
    const int width = layout.window.right, height = layout.band.bottom;
    const BackBuffer buffer(dc, width, height);
    HDC target = buffer.dc();
    const RECT top{0, 0, width, height};
    fill(target, top, face);
    const int edge = layout.client.left;
    const RECT sides[] = {
        {0, height, edge, layout.window.bottom},
        {layout.client.right, height, layout.window.right, layout.window.bottom},
        {0, layout.client.bottom, layout.window.right, layout.window.bottom},
    };
    for (const RECT& side : sides) fill(dc, side, face);

    HICON icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    if (icon == nullptr) icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM));
    if (icon != nullptr && !IsRectEmpty(&layout.icon)) {
        DrawIconEx(target, layout.icon.left, layout.icon.top, icon, 16, 16, 0, nullptr, DI_NORMAL);
    }
    const std::string title = win32::window_text(window);
    if (!title.empty()) {
        const win32::SelectGuard font(target, skin.font());
        SetBkMode(target, TRANSPARENT);
        SetTextColor(target, colorref(text));
        RECT title_rect = layout.title;
        DrawTextA(target, title.c_str(), static_cast<int>(title.size()), &title_rect,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    draw_button(target, layout.close, HTCLOSE, state, face, text);
    draw_button(target, layout.maximize, HTMAXBUTTON, state, face, text);
    draw_button(target, layout.minimize, HTMINBUTTON, state, face, text);
    buffer.present();

    const win32::UniqueBrush outline(CreateSolidBrush(colorref(mix(face, Rgb{0, 0, 0}))));
    if (outline) FrameRect(dc, &layout.window, outline.get());
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

}  // namespace

bool caption_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                     const SkinResources& skin, CaptionState& state, LRESULT& result) {
    Layout layout;
    const bool ours = layout_of(window, layout);
    switch (message) {
    case WM_NCPAINT:
        if (!ours) return false;
        paint(window, skin, state);
        result = 0;
        return true;
    case WM_NCACTIVATE:
        state.active = wparam != FALSE;
        if (!ours) return false;
        // -1: let the activation happen without the native caption being drawn.
        result = pass_on(window, message, wparam, -1);
        paint(window, skin, state);
        return true;
    case WM_SETTEXT:
    case WM_SETICON:
    case WM_EXITMENULOOP:
        if (!ours) return false;
        result = pass_on(window, message, wparam, lparam);
        paint(window, skin, state);
        return true;
    case WM_NCHITTEST: {
        if (!ours) return false;
        const POINT point = window_point(window, win32::point_from_lparam(lparam));
        const LRESULT button = button_at(layout, point);
        result = button != HTNOWHERE ? button : pass_on(window, message, wparam, lparam);
        // Where the native buttons would be but ours are not, it is caption.
        if (button == HTNOWHERE && (result == HTCLOSE || result == HTMINBUTTON || result == HTMAXBUTTON)) {
            result = HTCAPTION;
        }
        return true;
    }
    case WM_NCMOUSEMOVE: {
        if (!ours) return false;
        const LRESULT hot = (wparam == HTCLOSE || wparam == HTMINBUTTON || wparam == HTMAXBUTTON) ? wparam : HTNOWHERE;
        if (hot != state.hot) {
            if (state.hot == HTNOWHERE) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | TME_NONCLIENT, window, 0};
                TrackMouseEvent(&track);
            }
            state.hot = hot;
            paint(window, skin, state);
        }
        return false;
    }
    case WM_NCMOUSELEAVE:
        if (state.hot != HTNOWHERE) {
            state.hot = HTNOWHERE;
            if (ours) paint(window, skin, state);
        }
        return false;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (!ours || (wparam != HTCLOSE && wparam != HTMINBUTTON && wparam != HTMAXBUTTON)) return false;
        // Our own tracking: the native one would draw native buttons.
        state.pressed = static_cast<LRESULT>(wparam);
        state.pressed_inside = true;
        SetCapture(window);
        paint(window, skin, state);
        result = 0;
        return true;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
        if (state.pressed == HTNOWHERE) return false;
        POINT point = win32::point_from_lparam(lparam);
        ClientToScreen(window, &point);
        const bool now_inside = ours && button_at(layout, window_point(window, point)) == state.pressed;
        if (message == WM_MOUSEMOVE) {
            if (now_inside != state.pressed_inside) {
                state.pressed_inside = now_inside;
                paint(window, skin, state);
            }
        } else {
            const LRESULT button = state.pressed;
            state.pressed = HTNOWHERE;
            ReleaseCapture();
            paint(window, skin, state);
            if (now_inside) PostMessageA(window, WM_SYSCOMMAND, command_for(window, button), 0);
        }
        result = 0;
        return true;
    }
    case WM_CAPTURECHANGED:
        if (state.pressed != HTNOWHERE && reinterpret_cast<HWND>(lparam) != window) {
            state.pressed = HTNOWHERE;
            if (ours) paint(window, skin, state);
        }
        return false;
    default:
        return false;
    }
}

}  // namespace engine
