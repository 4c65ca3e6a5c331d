#pragma once
// The frame of a skinned top-level window: caption and border drawn from the
// theme where the program draws its own non-client area (Windows; Wine with
// unmanaged windows), hit testing, and the caption buttons' tracking and the
// system commands they send. The window procedure hands each message of a
// top-level frame or dialog here first.
#include <windows.h>

#include "engine/skin/window_state.h"

namespace engine {

// A frame skinned after its creation: sized and drawn by us from now on.
void adopt_frame(HWND window);

// False: not handled, the window's client side (window_messages.h) takes it.
bool frame_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam, SkinnedWindow& self,
                   LRESULT& result);

}  // namespace engine
