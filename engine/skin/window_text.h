#pragma once
// A window's text in the ANSI code page (GetWindowTextA), whole, for the
// painters: a block of its own rather than a std::string, whose growth
// brings the C++ runtime's exceptions into the engine. Out of memory, the
// text reads empty and nothing is drawn.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <new>

namespace engine {

class WindowText {
public:
    explicit WindowText(HWND window) {
        const int capacity = GetWindowTextLengthA(window) + 1;
        text_.reset(new (std::nothrow) char[capacity]);
        if (text_) size_ = static_cast<std::size_t>(GetWindowTextA(window, text_.get(), capacity));
    }

    const char* c_str() const { return text_ ? text_.get() : ""; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

private:
    std::unique_ptr<char[]> text_;
    std::size_t size_ = 0;
};

}  // namespace engine
