#include "engine/skin/gdi.h"

#include <utility>

namespace engine {

Buffer::Buffer(HDC target, int width, int height)
    : width_(width > 0 ? width : 1), height_(height > 0 ? height : 1),
      dc_(CreateCompatibleDC(target)) {
    if (!dc_) return;
    bitmap_.reset(CreateCompatibleBitmap(target, width_, height_));
    if (bitmap_) old_bitmap_ = SelectObject(dc_.get(), bitmap_.get());
}

Buffer::~Buffer() {
    // The bitmap must leave the DC before either is deleted.
    if (old_bitmap_ != nullptr) SelectObject(dc_.get(), old_bitmap_);
}

void Buffer::present(HDC target, int x, int y) const {
    BitBlt(target, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

SharedBuffer::~SharedBuffer() {
    if (old_bitmap_ != nullptr) SelectObject(dc_.get(), old_bitmap_);
}

bool SharedBuffer::make_room(HDC target, int width, int height) {
    if (dc_ && bitmap_ && width <= width_ && height <= height_) return true;
    if (!dc_) {
        dc_.reset(CreateCompatibleDC(target));
        if (!dc_) return false;
    }
    // Grow in both directions at once so a few sizes settle on one bitmap.
    const int new_width = width > width_ ? width : width_;
    const int new_height = height > height_ ? height : height_;
    win32::UniqueBitmap bigger(CreateCompatibleBitmap(target, new_width, new_height));
    if (!bigger) return false;  // the old bitmap, if any, stays for smaller paints
    const HGDIOBJ previous = SelectObject(dc_.get(), bigger.get());
    if (old_bitmap_ == nullptr) old_bitmap_ = previous;
    bitmap_ = std::move(bigger);  // deletes the smaller one, no longer selected
    width_ = new_width;
    height_ = new_height;
    return true;
}

BufferLease::BufferLease(SharedBuffer& shared, HDC target, int width, int height)
    : width_(width > 0 ? width : 1), height_(height > 0 ? height : 1) {
    if (shared.busy_ || !shared.make_room(target, width_, height_)) return;
    saved_ = SaveDC(shared.dc_.get());
    if (saved_ == 0) return;
    shared.busy_ = true;
    shared_ = &shared;
}

BufferLease::~BufferLease() {
    if (shared_ == nullptr) return;
    // Painters leave colours, modes, clipping and origins behind; the next
    // window must start from the defaults.
    RestoreDC(shared_->dc_.get(), saved_);
    shared_->busy_ = false;
}

void BufferLease::present(HDC target) const {
    BitBlt(target, 0, 0, width_, height_, shared_->dc_.get(), 0, 0, SRCCOPY);
}

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

Rgb lighten(Rgb base, int percent) {
    const auto up = [percent](std::uint8_t v) {
        return static_cast<std::uint8_t>(v + (255 - v) * percent / 100);
    };
    return Rgb{up(base.r), up(base.g), up(base.b)};
}

}  // namespace engine
