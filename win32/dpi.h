#pragma once
// The DPI a window is drawn at, and the one rule that turns a length given
// for a 96-DPI screen into pixels at another DPI. The program and the engine
// both draw by it, so a control and the theme inside it always agree.
#include <windows.h>

#include "win32/gdi.h"

namespace win32 {

inline constexpr int kBaseDpi = 96;  // the screen the layout and the themes are made for

// A length at 96 DPI, in pixels at `dpi` (rounded, as MulDiv rounds).
inline int scale(int value, int dpi) { return MulDiv(value, dpi, kBaseDpi); }

// The screen's DPI as the system reports it to every process (Windows 7's
// only kind; the stock fonts are made for it). A memory DC answers it
// without a trip to the display.
inline int system_dpi() {
    const UniqueMemoryDc memory(CreateCompatibleDC(nullptr));
    const int dpi = memory ? GetDeviceCaps(memory.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : kBaseDpi;
}

// The DPI of the monitor the window is on. GetDpiForWindow came with Windows
// 10 (1607): looked up, so the image still starts on Windows 7, where the
// screen's DPI is the only one.
inline int window_dpi(HWND window) {
    using GetDpiForWindowEntry = UINT(WINAPI*)(HWND);
    static const auto get_dpi_for_window = reinterpret_cast<GetDpiForWindowEntry>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    const UINT dpi = get_dpi_for_window != nullptr ? get_dpi_for_window(window) : 0;
    return dpi != 0 ? static_cast<int>(dpi) : system_dpi();
}

// For the tools and test drivers, which have no manifest (the program
// declares its awareness in its own): windows are created, measured and
// drawn in the screen's pixels, not scaled to 96 DPI. Looked up as above;
// false where the system has no such awareness.
inline bool become_per_monitor_aware() {
    using Entry = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    static const bool aware = [] {
        const auto set = reinterpret_cast<Entry>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDpiAwarenessContext")));
        return set != nullptr && set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
    }();
    return aware;
}

// The stock GUI font made for `dpi`. Empty at the screen's DPI: the stock
// object itself is that font, and a copy of it would be a second handle for
// nothing.
inline UniqueFont gui_font_for(int dpi) {
    const int screen = system_dpi();
    if (dpi == screen) return UniqueFont();
    LOGFONTA description{};
    if (GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description) == 0) return UniqueFont();
    description.lfHeight = MulDiv(description.lfHeight, dpi, screen);
    description.lfWidth = MulDiv(description.lfWidth, dpi, screen);
    return UniqueFont(CreateFontIndirectA(&description));
}

// The stock GUI font, or `own` where there is one.
inline HFONT font_or_gui(const UniqueFont& own) {
    return own ? own.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace win32
