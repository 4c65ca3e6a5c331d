#pragma once
// Finding a skinned window's state, and handing its messages on to the
// procedure it had before it was skinned.
#include <windows.h>

#include "engine/skin/resources.h"
#include "engine/skin/thread_skin.h"
#include "engine/skin/window_state.h"

namespace engine {

// Null when the window is not skinned on the calling thread.
SkinnedWindow* find_skinned(HWND window);

inline const SkinResources& resources(const SkinnedWindow& self) { return *self.skin->resources; }

// The DPI the window is drawn at: the one its top-level window was last moved
// to (WM_DPICHANGED; Windows 8.1 has no GetDpiForWindow), else the one of the
// monitor it is on.
int drawing_dpi(HWND window);

// The window's original procedure, in the character set it takes.
LRESULT call_original(const SkinnedWindow& self, HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Hands a message of a skinned window on to the window procedure it had
// before it was skinned (the native control's own handling).
LRESULT pass_on(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace engine
