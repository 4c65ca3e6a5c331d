#pragma once
// Which of the engine's painters, if any, takes over a window.
#include <windows.h>

namespace engine {

enum class WindowKind {
    kNone,    // left to its own painting (IME, menus, tooltips, unknown controls)
    kFrame,   // top-level window: background and its children's colours
    kDialog,  // dialog boxes (message boxes, the folder dialog): same, dialog colours
    kButton,  // push buttons, painted in full
    kLabel,   // text statics, opaque or transparent
    kTab,     // tab control: strip, tabs and body
    kTree,    // tree view (folder dialog): field colours
};

WindowKind classify_window(const char* class_name, LONG style, bool top_level);

// Convenience for an existing window.
WindowKind classify_window(HWND window);

}  // namespace engine
