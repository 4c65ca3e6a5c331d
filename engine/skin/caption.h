#pragma once
// The caption and frame of top-level windows, drawn from the theme where the
// program draws its own non-client area (Windows; Wine with unmanaged
// windows). The caption buttons keep their meaning: hit testing, tracking
// and the system commands they send are the same as the native ones'.
#include <windows.h>

#include "engine/skin/resources.h"

namespace engine {

struct CaptionState {
    bool active = true;
    LRESULT hot = HTNOWHERE;      // caption button under the mouse
    LRESULT pressed = HTNOWHERE;  // caption button held down (mouse captured)
    bool pressed_inside = false;
};

// Handles the non-client messages of a skinned frame, drawing at the window's
// `dpi`; false: not handled, pass the message on.
bool caption_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                     const SkinResources& skin, CaptionState& state, int dpi, LRESULT& result);

}  // namespace engine
