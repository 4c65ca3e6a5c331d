#include "engine/skin/frame/caption_layout.h"

#include "win32/dpi.h"

namespace engine {
namespace {

constexpr int kMinimumBand = 12;  // at 96 DPI; below this there is no caption of ours to draw

bool inside(const RECT& rect, POINT point) { return PtInRect(&rect, point) != FALSE; }

// The buttons from the right: close, then maximise and minimise where the
// style has them; the title ends where they begin.
void place_buttons(LONG style, int dpi, CaptionLayout& layout) {
    const auto px = [dpi](int length) { return win32::scale(length, dpi); };
    const int height = layout.band.bottom - layout.band.top;
    const int size = height - px(6);
    const int width = size + size / 2;
    RECT next{layout.band.right - px(4) - width, layout.band.top + px(3), layout.band.right - px(4),
              layout.band.bottom - px(3)};
    const auto take = [&](bool present, RECT& slot) {
        slot = RECT{};
        if (!present) return;
        slot = next;
        OffsetRect(&next, -width, 0);
    };
    take((style & WS_SYSMENU) != 0, layout.close);
    take((style & WS_SYSMENU) && (style & WS_MAXIMIZEBOX), layout.maximize);
    take((style & WS_SYSMENU) && (style & WS_MINIMIZEBOX), layout.minimize);
    const int icon = px(16);
    const int icon_top = layout.band.top + (height - icon) / 2;
    layout.icon = (style & WS_SYSMENU)
                      ? RECT{layout.band.left + px(4), icon_top, layout.band.left + px(4) + icon, icon_top + icon}
                      : RECT{layout.band.left, icon_top, layout.band.left, icon_top};
    layout.title = RECT{layout.icon.right + px(6), layout.band.top, next.right - px(4), layout.band.bottom};
}

}  // namespace

bool frame_is_ours(HWND window) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    return (style & WS_CAPTION) == WS_CAPTION && (style & (WS_VSCROLL | WS_HSCROLL)) == 0 &&
           GetMenu(window) == nullptr && !IsIconic(window);
}

bool caption_layout(HWND window, int dpi, CaptionLayout& layout) {
    if (!frame_is_ours(window)) return false;
    const LONG style = GetWindowLongA(window, GWL_STYLE);
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
    if (layout.band.bottom - layout.band.top < win32::scale(kMinimumBand, dpi)) return false;
    place_buttons(style, dpi, layout);
    return true;
}

LRESULT caption_button_at(const CaptionLayout& layout, POINT point) {
    if (inside(layout.close, point)) return HTCLOSE;
    if (inside(layout.maximize, point)) return HTMAXBUTTON;
    if (inside(layout.minimize, point)) return HTMINBUTTON;
    return HTNOWHERE;
}

}  // namespace engine
