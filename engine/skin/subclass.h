#pragma once
// Taking over a window's painting by subclassing it. The thread's skin owns
// each skinned window's state; the subclass removes itself, and the state
// goes, when the window is destroyed.
#include <windows.h>

#include "engine/skin/thread_skin.h"
#include "engine/skin/window_kind.h"

namespace engine {

// `created`: the window has finished WM_CREATE (true for windows found at
// attach, false for windows seen by the creation hook).
// Returns true when the window was newly subclassed.
bool skin_window(HWND window, ThreadSkin& skin, WindowKind kind, bool created);

}  // namespace engine
