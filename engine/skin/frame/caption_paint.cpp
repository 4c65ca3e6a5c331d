#include "engine/skin/frame/caption_paint.h"

#include <commctrl.h>

#include "engine/skin/window_text.h"
#include "win32/dpi.h"
#include "win32/window.h"

namespace engine {
namespace {

constexpr Rgb kCloseHot{0xE8, 0x11, 0x23};

Rgb mix(Rgb a, Rgb b) {
    return Rgb{static_cast<std::uint8_t>((a.r + b.r) / 2), static_cast<std::uint8_t>((a.g + b.g) / 2),
               static_cast<std::uint8_t>((a.b + b.b) / 2)};
}

void line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void draw_button(HDC dc, const RECT& rect, LRESULT which, const CaptionState& state, Rgb face, Rgb glyph,
                 int dpi) {
    if (IsRectEmpty(&rect)) return;
    const bool pressed = state.pressed == which && state.pressed_inside;
    const bool hot = state.hot == which || pressed;
    if (hot) {
        Rgb back = which == HTCLOSE ? kCloseHot : lighten(face, 22);
        if (pressed) back = mix(back, Rgb{0, 0, 0});
        fill(dc, rect, back);
    }
    const win32::UniquePen pen(
        CreatePen(PS_SOLID, win32::scale(1, dpi), colorref(hot && which == HTCLOSE ? Rgb{255, 255, 255} : glyph)));
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

void draw_icon_and_title(HWND window, HDC target, const CaptionLayout& layout, const SkinResources& skin,
                         int dpi) {
    // Above 96 DPI the small icon would be stretched up: the large one is
    // drawn smaller instead.
    const bool large = layout.icon.right - layout.icon.left > 16;
    HICON icon = large ? reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0)) : nullptr;
    if (icon == nullptr && large) icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON));
    if (icon == nullptr) icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    if (icon == nullptr) icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM));
    if (icon != nullptr && !IsRectEmpty(&layout.icon)) {
        DrawIconEx(target, layout.icon.left, layout.icon.top, icon, layout.icon.right - layout.icon.left,
                   layout.icon.bottom - layout.icon.top, 0, nullptr, DI_NORMAL);
    }
    const WindowText title(window);
    if (title.empty()) return;
    const win32::SelectGuard font(target, skin.font(dpi));
    SetBkMode(target, TRANSPARENT);
    SetTextColor(target, colorref(skin.theme()[Role::kCaptionText]));
    RECT title_rect = layout.title;
    DrawTextA(target, title.c_str(), static_cast<int>(title.size()), &title_rect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

}  // namespace

void paint_caption(HWND window, const SkinResources& skin, const CaptionState& state, int dpi,
                   SharedBuffer* shared) {
    CaptionLayout layout;
    if (!caption_layout(window, dpi, layout)) return;
    const win32::WindowDc window_dc(window);
    if (!window_dc) return;
    HDC dc = window_dc.get();
    const Theme& theme = skin.theme();
    const Rgb face = state.active ? theme[Role::kCaption] : mix(theme[Role::kCaption], theme[Role::kWindow]);
    const Rgb text = theme[Role::kCaptionText];

    // The band goes through a buffer (the thread's shared one when it is
    // free); the thin frame edges are drawn directly.
    const int width = layout.window.right, height = layout.band.bottom;
    const BackBuffer buffer(shared, dc, width, height);
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

    draw_icon_and_title(window, target, layout, skin, dpi);
    draw_button(target, layout.close, HTCLOSE, state, face, text, dpi);
    draw_button(target, layout.maximize, HTMAXBUTTON, state, face, text, dpi);
    draw_button(target, layout.minimize, HTMINBUTTON, state, face, text, dpi);
    buffer.present();

    const win32::UniqueBrush outline(CreateSolidBrush(colorref(mix(face, Rgb{0, 0, 0}))));
    if (outline) FrameRect(dc, &layout.window, outline.get());
}

}  // namespace engine
