#pragma once
// Where the parts of a skinned caption lie, and which button a point is on.
#include <windows.h>

namespace engine {

// What the mouse does to the caption buttons.
struct CaptionState {
    bool active = true;
    LRESULT hot = HTNOWHERE;      // caption button under the mouse
    LRESULT pressed = HTNOWHERE;  // caption button held down (mouse captured)
    bool pressed_inside = false;
};

// Everything in window coordinates (origin at the window's top-left corner),
// in pixels at the window's DPI.
// A button the window's style leaves out has an empty rectangle.
struct CaptionLayout {
    RECT window, client, band, icon, title, close, maximize, minimize;
};

// False when the frame is not ours to size and draw: no caption, a menu bar
// or scroll bars in the non-client area, or a minimised window.
bool frame_is_ours(HWND window);

// False where frame_is_ours is, or the caption band is too thin to draw in
// (a window manager's decoration has taken it).
bool caption_layout(HWND window, int dpi, CaptionLayout& layout);

// HTCLOSE, HTMAXBUTTON or HTMINBUTTON for a point on that button, else HTNOWHERE.
LRESULT caption_button_at(const CaptionLayout& layout, POINT point);

inline bool is_caption_button(LRESULT hit) {
    return hit == HTCLOSE || hit == HTMINBUTTON || hit == HTMAXBUTTON;
}

}  // namespace engine
