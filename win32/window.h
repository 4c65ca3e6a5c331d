#pragma once
// Small things every window procedure needs.
#include <windows.h>

#include <string>

namespace win32 {

// The window's text in the ANSI code page (GetWindowTextA), whole.
inline std::string window_text(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The point packed into a mouse message's lParam, sign kept (a point left of
// or above a window is negative).
inline POINT point_from_lparam(LPARAM lparam) {
    return POINT{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
}

}  // namespace win32
