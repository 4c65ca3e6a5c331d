#include "engine/skin/window_kind.h"

#include <commctrl.h>

#include <cstring>

namespace engine {
namespace {

bool is(const char* class_name, const char* expected) {
    return lstrcmpiA(class_name, expected) == 0;
}

bool text_static(LONG style) {
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
        return true;
    default:
        return false;
    }
}

}  // namespace

WindowKind classify_window(const char* class_name, LONG style, bool top_level) {
    if (is(class_name, "#32770")) return WindowKind::kDialog;
    if (is(class_name, "Button")) {
        const LONG type = style & BS_TYPEMASK;
        return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON ? WindowKind::kButton
                                                                 : WindowKind::kNone;
    }
    if (is(class_name, "Static")) return text_static(style) ? WindowKind::kLabel : WindowKind::kNone;
    if (is(class_name, WC_TABCONTROLA)) {
        // Tabs along the top only; other layouts keep the native painting.
        return (style & (TCS_BOTTOM | TCS_VERTICAL | TCS_BUTTONS)) == 0 ? WindowKind::kTab
                                                                     : WindowKind::kNone;
    }
    if (is(class_name, WC_TREEVIEWA)) return WindowKind::kTree;
    // Only application frames: a caption tells them apart from the thread's
    // IME, tooltip and menu windows, which must keep their own look.
    if (top_level && (style & WS_CAPTION) == WS_CAPTION) return WindowKind::kFrame;
    return WindowKind::kNone;
}

WindowKind classify_window(HWND window) {
    char class_name[64] = {};
    if (GetClassNameA(window, class_name, sizeof class_name) == 0) return WindowKind::kNone;
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    return classify_window(class_name, style, (style & WS_CHILD) == 0);
}

}  // namespace engine
