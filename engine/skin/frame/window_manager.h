#pragma once
// Keeping a composited desktop's window manager off the frame: it renders
// its own frame (and on Windows 11 rounds the corners) over a window that has
// not opted out.
#include <windows.h>

namespace engine {

// Asks for no frame rendering and, where Windows 11 offers it, square
// corners (the engine's frame is square in every theme). Nothing where there
// is no window manager (Windows 7 without composition, Wine).
void own_frame_pixels(HWND window);

}  // namespace engine
