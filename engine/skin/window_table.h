#pragma once
// The skinned windows of one thread and their states, found by handle on
// every message they get. A plain array searched front to back: a thread has
// a few dozen windows, and a hash map brings the C++ runtime's exceptions
// into the engine, and with them most of its size.
#include <windows.h>

#include <cstddef>
#include <memory>

namespace engine {

struct SkinnedWindow;  // engine/skin/window_state.h

class WindowTable {
public:
    WindowTable() = default;
    WindowTable(const WindowTable&) = delete;
    WindowTable& operator=(const WindowTable&) = delete;
    ~WindowTable();  // the states still held go with it

    SkinnedWindow* find(HWND window) const;
    // False when out of memory; the state is then released.
    bool add(HWND window, std::unique_ptr<SkinnedWindow> state);
    // The window's state, no longer held (null when it was not).
    std::unique_ptr<SkinnedWindow> take(HWND window);
    bool empty() const { return count_ == 0; }

private:
    struct Row {
        HWND window;
        SkinnedWindow* state;  // owned
    };
    Row* rows_ = nullptr;  // malloc'd, grown by doubling
    std::size_t count_ = 0, capacity_ = 0;
};

}  // namespace engine
