#pragma once
// Taking over a window's painting by subclassing it. The thread's skin owns
// each skinned window's state; the subclass removes itself, and the state
// goes, when the window is destroyed.
#include <windows.h>

#include "engine/skin/caption.h"
#include "engine/skin/thread_skin.h"
#include "engine/skin/window_kind.h"

namespace engine {

struct SkinnedWindow {
    SkinnedWindow(ThreadSkin& thread, WindowKind window_kind, bool unicode_procedure)
        : skin(&thread), kind(window_kind), unicode(unicode_procedure) {}

    ThreadSkin* skin;
    WindowKind kind;
    WNDPROC original = nullptr;  // the procedure the window had before it was skinned
    bool unicode;                // which character set that procedure takes its messages in
    bool hot = false;            // buttons: the mouse is over it
    int hot_item = -1;           // tabs: the tab under the mouse
    CaptionState caption;        // top-level frames and dialogs
    int dpi = 0;                 // top-level frames and dialogs: the DPI WM_DPICHANGED last gave, 0 before

    const SkinResources& resources() const { return *skin->resources; }
};

// `created`: the window has finished WM_CREATE (true for windows found at
// attach, false for windows seen by the creation hook).
// Returns true when the window was newly subclassed.
bool skin_window(HWND window, ThreadSkin& skin, WindowKind kind, bool created);

// The DPI the window is drawn at: the one its top-level window was last moved
// to (WM_DPICHANGED; Windows 8.1 has no GetDpiForWindow), else the one of the
// monitor it is on.
int drawing_dpi(HWND window);

// Hands a message of a skinned window on to the window procedure it had
// before it was skinned (the native control's own handling).
LRESULT pass_on(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace engine
