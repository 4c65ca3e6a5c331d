#pragma once
// GDI helpers for painting: every object, DC and selection is released on the
// way out, so a paint that bails out early leaks nothing.
#include <windows.h>

#include "engine/core/theme.h"
#include "win32/gdi.h"

namespace engine {

inline COLORREF colorref(Rgb c) { return RGB(c.r, c.g, c.b); }

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
    win32::UniqueMemoryDc dc_;
    win32::UniqueBitmap bitmap_;
    HGDIOBJ old_bitmap_ = nullptr;
};

// The off-screen surface every skinned window of a thread paints into, one
// after the other. Making a bitmap and a DC per paint cost more than the
// painting itself; this one grows to the largest client area painted so far
// and lives as long as the thread's skin.
class SharedBuffer {
public:
    SharedBuffer() = default;
    SharedBuffer(const SharedBuffer&) = delete;
    SharedBuffer& operator=(const SharedBuffer&) = delete;
    ~SharedBuffer();

private:
    friend class BufferLease;
    bool make_room(HDC target, int width, int height);

    int width_ = 0, height_ = 0;
    win32::UniqueMemoryDc dc_;
    win32::UniqueBitmap bitmap_;
    HGDIOBJ old_bitmap_ = nullptr;
    bool busy_ = false;
};

// The shared surface for one paint, at least `width` x `height`, in the DC's
// default state; false when it can't be had (out of GDI memory, or already
// lent out to a paint that this one runs inside): the caller then falls
// back to a Buffer of its own. The DC's state is restored on return.
class BufferLease {
public:
    BufferLease(SharedBuffer& shared, HDC target, int width, int height);
    BufferLease(const BufferLease&) = delete;
    BufferLease& operator=(const BufferLease&) = delete;
    ~BufferLease();

    explicit operator bool() const { return shared_ != nullptr; }
    HDC dc() const { return shared_->dc_.get(); }
    // Copies the leased width x height to `target`.
    void present(HDC target) const;

private:
    SharedBuffer* shared_ = nullptr;
    int width_, height_;
    int saved_ = 0;
};

void fill(HDC dc, const RECT& rect, Rgb color);
// Vertical gradient from `top` to `bottom` over the whole rectangle.
void fill_vertical(HDC dc, const RECT& rect, Rgb top, Rgb bottom);
// `base` moved toward white by `percent`.
Rgb lighten(Rgb base, int percent);

}  // namespace engine
