#include "engine/skin/window_table.h"

#include <cstdlib>

#include "engine/skin/window_state.h"

namespace engine {

WindowTable::~WindowTable() {
    for (std::size_t i = 0; i < count_; ++i) delete rows_[i].state;
    std::free(rows_);
}

SkinnedWindow* WindowTable::find(HWND window) const {
    for (std::size_t i = 0; i < count_; ++i) {
        if (rows_[i].window == window) return rows_[i].state;
    }
    return nullptr;
}

bool WindowTable::add(HWND window, std::unique_ptr<SkinnedWindow> state) {
    if (count_ == capacity_) {
        const std::size_t capacity = capacity_ == 0 ? 16 : 2 * capacity_;
        void* grown = std::realloc(rows_, capacity * sizeof(Row));
        if (grown == nullptr) return false;
        rows_ = static_cast<Row*>(grown);
        capacity_ = capacity;
    }
    rows_[count_++] = Row{window, state.release()};
    return true;
}

std::unique_ptr<SkinnedWindow> WindowTable::take(HWND window) {
    for (std::size_t i = 0; i < count_; ++i) {
        if (rows_[i].window != window) continue;
        std::unique_ptr<SkinnedWindow> state(rows_[i].state);
        rows_[i] = rows_[--count_];  // the order means nothing
        return state;
    }
    return nullptr;
}

}  // namespace engine
