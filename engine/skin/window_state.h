#pragma once
// What the engine keeps of one skinned window. Plain data: the thread's skin
// owns it (window_table.h) and the painters read it.
#include <windows.h>

#include "engine/skin/frame/caption_layout.h"
#include "engine/skin/window_kind.h"

namespace engine {

struct ThreadSkin;

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
};

}  // namespace engine
