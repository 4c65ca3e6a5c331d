#pragma once
// GDI helpers for painting: every object, DC and selection is released on the
// way out, so a paint that bails out early leaks nothing.
#include <windows.h>

#include "engine/core/theme.h"
#include "runtime/handle.h"

namespace engine {

struct MemoryDcTraits {
    using Value = HDC;
    static Value empty() { return nullptr; }
    static void close(Value dc) { DeleteDC(dc); }
};
using UniqueMemoryDc = runtime::UniqueHandle<MemoryDcTraits>;
using runtime::UniqueGdiObject;

inline COLORREF colorref(Rgb c) { return RGB(c.r, c.g, c.b); }

// Selects an object into a DC for the guard's lifetime.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (old_ != nullptr && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Off-screen surface of one window's client area: draw into dc(), then
// present() copies it in one blit, which is what keeps painting flicker-free.
class Buffer {
public:
    Buffer(HDC target, int width, int height);
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;
    ~Buffer();

    explicit operator bool() const { return static_cast<bool>(bitmap_); }
    HDC dc() const { return dc_.get(); }
    void present(HDC target, int x = 0, int y = 0) const;

private:
    int width_, height_;
    UniqueMemoryDc dc_;
    UniqueGdiObject bitmap_;
    HGDIOBJ old_bitmap_ = nullptr;
};

void fill(HDC dc, const RECT& rect, Rgb color);
// Vertical gradient from `top` to `bottom` over the whole rectangle.
void fill_vertical(HDC dc, const RECT& rect, Rgb top, Rgb bottom);
// `base` moved toward white by `percent`.
Rgb lighten(Rgb base, int percent);

}  // namespace engine
