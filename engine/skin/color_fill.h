#pragma once
// Colour and fill helpers for the painters. Painters hold their GDI objects,
// selections and saved DC states in the win32/ wrappers, so a paint that bails
// out early leaks nothing and leaves the DC as it found it.
#include <windows.h>

#include "engine/core/theme.h"
#include "win32/gdi.h"

namespace engine {

inline COLORREF colorref(Rgb c) { return RGB(c.r, c.g, c.b); }

void fill(HDC dc, const RECT& rect, Rgb color);
// Vertical gradient from `top` to `bottom` over the whole rectangle.
void fill_vertical(HDC dc, const RECT& rect, Rgb top, Rgb bottom);
// A border `thickness` pixels wide just inside the rectangle.
void frame(HDC dc, RECT rect, HBRUSH brush, int thickness);
// `base` moved toward white by `percent`.
Rgb lighten(Rgb base, int percent);

}  // namespace engine
