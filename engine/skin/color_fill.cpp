#include "engine/skin/color_fill.h"

namespace engine {

void fill(HDC dc, const RECT& rect, Rgb color) {
    // ExtTextOut with ETO_OPAQUE fills without creating a brush.
    const COLORREF old = SetBkColor(dc, colorref(color));
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

void fill_vertical(HDC dc, const RECT& rect, Rgb top, Rgb bottom) {
    const int height = rect.bottom - rect.top;
    if (height <= 0) return;
    if (top == bottom) {
        fill(dc, rect, top);
        return;
    }
    for (int y = 0; y < height; ++y) {
        const auto mix = [&](std::uint8_t a, std::uint8_t b) {
            return static_cast<std::uint8_t>(a + (b - a) * y / (height > 1 ? height - 1 : 1));
        };
        const RECT row{rect.left, rect.top + y, rect.right, rect.top + y + 1};
        fill(dc, row, Rgb{mix(top.r, bottom.r), mix(top.g, bottom.g), mix(top.b, bottom.b)});
    }
}

void frame(HDC dc, RECT rect, HBRUSH brush, int thickness) {
    for (int i = 0; i < thickness && !IsRectEmpty(&rect); ++i) {
        FrameRect(dc, &rect, brush);
        InflateRect(&rect, -1, -1);
    }
}

Rgb lighten(Rgb base, int percent) {
    const auto up = [percent](std::uint8_t v) {
        return static_cast<std::uint8_t>(v + (255 - v) * percent / 100);
    };
    return Rgb{up(base.r), up(base.g), up(base.b)};
}

}  // namespace engine
