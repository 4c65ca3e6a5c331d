#include "engine/skin/painters.h"

#include <commctrl.h>

#include <algorithm>

namespace engine {
namespace {

constexpr int kSelectedLift = 2;  // the selected tab stands this much taller and wider
constexpr int kAccentHeight = 2;

// Rounded at the top, square where the tab meets the body.
win32::UniqueRegion tab_region(const RECT& rect, int radius) {
    if (radius <= 0) return win32::UniqueRegion(CreateRectRgnIndirect(&rect));
    win32::UniqueRegion region(CreateRoundRectRgn(rect.left, rect.top, rect.right + 1,
                                                  rect.bottom + 2 * radius + 1, 2 * radius, 2 * radius));
    const win32::UniqueRegion square(CreateRectRgnIndirect(&rect));
    if (region && square) CombineRgn(region.get(), region.get(), square.get(), RGN_AND);
    return region;
}

void draw_tab(HWND tab, HDC dc, const SkinResources& skin, int item, RECT rect, bool selected,
              bool hot, int dpi) {
    const Theme& theme = skin.theme();
    const Rgb face = selected ? theme[Role::kTabSelectedFace]
                              : hot ? theme[Role::kTabHotFace] : theme[Role::kTabFace];
    const int radius = win32::scale(std::min<int>(theme.corner_radius, 6), dpi);
    const int line = win32::scale(1, dpi);
    const int accent_height = win32::scale(kAccentHeight, dpi);
    const win32::UniqueRegion shape = tab_region(rect, radius);
    if (!shape) return;
    {
        const win32::SavedDc saved(dc);
        SelectClipRgn(dc, shape.get());
        fill(dc, rect, face);
        if (selected) {
            const RECT accent{rect.left, rect.top, rect.right, rect.top + accent_height};
            fill(dc, accent, theme[Role::kAccent]);
        }
    }
    const win32::UniqueBrush border(CreateSolidBrush(colorref(theme[Role::kTabBorder])));
    if (border) FrameRgn(dc, shape.get(), border.get(), line, line);
    if (selected) {
        // Open the tab into the body: no border line between them.
        const RECT join{rect.left + line, rect.bottom - line, rect.right - line, rect.bottom};
        fill(dc, join, theme[Role::kTabBody]);
    }

    char text[128] = {};
    TCITEMA query{};
    query.mask = TCIF_TEXT;
    query.pszText = text;
    query.cchTextMax = sizeof text;
    if (!SendMessageA(tab, TCM_GETITEMA, item, reinterpret_cast<LPARAM>(&query)) || text[0] == '\0') {
        return;
    }
    const win32::SelectGuard font(dc, skin.font(dpi));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colorref(selected ? theme[Role::kTabSelectedText] : theme[Role::kTabText]));
    RECT text_rect = rect;
    text_rect.top += selected ? accent_height : 0;
    DrawTextA(dc, text, -1, &text_rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (selected && GetFocus() == tab &&
        (SendMessageA(tab, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0) {
        InflateRect(&text_rect, -win32::scale(3, dpi), -win32::scale(3, dpi));
        const win32::UniqueBrush ring(CreateSolidBrush(colorref(theme[Role::kFocusRing])));
        if (ring) frame(dc, text_rect, ring.get(), win32::scale(1, dpi));
    }
}

}  // namespace

RECT tab_strip(HWND tab) {
    RECT client;
    GetClientRect(tab, &client);
    const int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    int bottom = 0;
    for (int i = 0; i < count; ++i) {
        RECT item;
        if (SendMessageA(tab, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item))) {
            bottom = std::max<int>(bottom, item.bottom);
        }
    }
    if (bottom == 0) {
        RECT display = client;
        SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
        bottom = std::max<int>(0, display.top - 2);
    }
    return RECT{client.left, client.top, client.right, std::min<LONG>(bottom, client.bottom)};
}

void paint_tab(HWND tab, HDC dc, const SkinResources& skin, int hot_item, int dpi) {
    const Theme& theme = skin.theme();
    RECT client;
    GetClientRect(tab, &client);
    const RECT strip = tab_strip(tab);
    fill(dc, strip, theme[Role::kTabStrip]);
    const RECT body{client.left, strip.bottom, client.right, client.bottom};
    fill(dc, body, theme[Role::kTabBody]);
    const win32::UniqueBrush border(CreateSolidBrush(colorref(theme[Role::kTabBorder])));
    if (border) frame(dc, body, border.get(), win32::scale(1, dpi));

    const int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    const int selected = static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (i == selected) continue;  // drawn last, over its neighbours
        RECT item;
        if (!SendMessageA(tab, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item))) continue;
        item.bottom = strip.bottom + win32::scale(1, dpi);  // the tab's lower edge is the body's top border
        draw_tab(tab, dc, skin, i, item, false, i == hot_item, dpi);
    }
    RECT item;
    if (selected >= 0 && SendMessageA(tab, TCM_GETITEMRECT, selected, reinterpret_cast<LPARAM>(&item))) {
        const int lift = win32::scale(kSelectedLift, dpi);
        item.top = std::max<LONG>(client.top, item.top - lift);
        item.left -= lift;
        item.right += lift;
        item.bottom = strip.bottom + win32::scale(1, dpi);
        draw_tab(tab, dc, skin, selected, item, true, false, dpi);
    }
}

}  // namespace engine
