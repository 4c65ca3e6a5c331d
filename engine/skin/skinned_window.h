#pragma once
// Taking over a window's painting by subclassing it; the subclass removes
// itself when the window is destroyed.
#include <windows.h>

#include "engine/skin/thread_skin.h"
#include "engine/skin/window_kind.h"

namespace engine {

// `created`: the window has finished WM_CREATE (true for windows found at
// attach, false for windows seen by the creation hook).
// Returns true when the window was newly subclassed.
bool skin_window(HWND window, ThreadSkin& skin, WindowKind kind, bool created);

// Hands a message of a skinned window on to the window procedure it had
// before it was skinned (the native control's own handling).
LRESULT pass_on(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace engine
