#include "engine/skin/back_buffer.h"

#include <utility>

namespace engine {

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
    if (selected_) {
        SelectObject(dc_.get(), bigger.get());
    } else {
        selected_.emplace(dc_.get(), bigger.get());
    }
    bitmap_ = std::move(bigger);  // deletes the smaller one, no longer selected
    width_ = new_width;
    height_ = new_height;
    return true;
}

BufferLease::BufferLease(SharedBuffer& shared, HDC target, int width, int height)
    : width_(width > 0 ? width : 1), height_(height > 0 ? height : 1) {
    if (shared.busy_ || !shared.make_room(target, width_, height_)) return;
    saved_.emplace(shared.dc_.get());
    if (!*saved_) return;
    shared.busy_ = true;
    shared_ = &shared;
}

BufferLease::~BufferLease() {
    if (shared_ != nullptr) shared_->busy_ = false;
}

void BufferLease::present(HDC target) const {
    BitBlt(target, 0, 0, width_, height_, shared_->dc_.get(), 0, 0, SRCCOPY);
}

Buffer::Buffer(HDC target, int width, int height)
    : width_(width > 0 ? width : 1), height_(height > 0 ? height : 1),
      dc_(CreateCompatibleDC(target)) {
    if (!dc_) return;
    bitmap_.reset(CreateCompatibleBitmap(target, width_, height_));
    if (bitmap_) selected_.emplace(dc_.get(), bitmap_.get());
}

void Buffer::present(HDC target) const {
    BitBlt(target, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

BackBuffer::BackBuffer(SharedBuffer* shared, HDC target, int width, int height) : target_(target) {
    if (shared != nullptr) {
        shared_.emplace(*shared, target, width, height);
        if (*shared_) return;
        shared_.reset();
    }
    own_.emplace(target, width, height);
    if (!*own_) own_.reset();
}

HDC BackBuffer::dc() const {
    if (shared_) return shared_->dc();
    if (own_) return own_->dc();
    return target_;
}

void BackBuffer::present() const {
    if (shared_) {
        shared_->present(target_);
    } else if (own_) {
        own_->present(target_);
    }
}

}  // namespace engine
