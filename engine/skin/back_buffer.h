#pragma once
// Off-screen surfaces: a paint draws into one and the screen gets the finished
// picture in one blit, which is what keeps painting flicker-free.
#include <windows.h>

#include <optional>

#include "win32/gdi.h"

namespace engine {

// The surface every skinned window of a thread paints into, one after the
// other. Making a bitmap and a DC per paint cost more than the painting
// itself; this one grows to the largest area painted so far and lives as long
// as the thread's skin.
class SharedBuffer {
public:
    SharedBuffer() = default;
    SharedBuffer(const SharedBuffer&) = delete;
    SharedBuffer& operator=(const SharedBuffer&) = delete;

private:
    friend class BufferLease;
    bool make_room(HDC target, int width, int height);

    int width_ = 0, height_ = 0;
    win32::UniqueMemoryDc dc_;
    win32::UniqueBitmap bitmap_;
    // Holds the DC's own bitmap, put back before ours is deleted.
    std::optional<win32::SelectGuard> selected_;
    bool busy_ = false;
};

// The shared surface for one paint, at least `width` x `height`, in the DC's
// default state; false when it can't be had (out of GDI memory, or already
// lent out to a paint that this one runs inside).
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
    // Painters leave colours, modes, clipping and origins behind; the next
    // window must start from the defaults.
    std::optional<win32::SavedDc> saved_;
};

// A surface of one paint's own, `width` x `height`; false when GDI is out of
// memory.
class Buffer {
public:
    Buffer(HDC target, int width, int height);
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;

    explicit operator bool() const { return static_cast<bool>(bitmap_); }
    HDC dc() const { return dc_.get(); }
    void present(HDC target) const;

private:
    int width_, height_;
    win32::UniqueMemoryDc dc_;
    win32::UniqueBitmap bitmap_;
    std::optional<win32::SelectGuard> selected_;  // the bitmap leaves the DC before either goes
};

// Where one paint of `width` x `height` draws: the `shared` surface (the
// thread's) when there is one and it is free, else a surface of its own, else
// (out of GDI memory) `target` itself, drawn directly rather than not at all.
class BackBuffer {
public:
    BackBuffer(SharedBuffer* shared, HDC target, int width, int height);
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    HDC dc() const;
    // False when the paint goes straight to the target.
    bool off_screen() const { return shared_ || own_; }
    // Copies the picture to the target; nothing to do when drawn directly.
    void present() const;

private:
    HDC target_;
    std::optional<BufferLease> shared_;
    std::optional<Buffer> own_;
};

}  // namespace engine
