#include "engine/skin/subclass.h"

#include <memory>
#include <new>

#include "engine/skin/frame/frame.h"
#include "engine/skin/skinned_window.h"
#include "engine/skin/window_messages.h"

namespace engine {
namespace {

// The window procedure is read and set in the window's own character set: its
// messages keep arriving in it and nothing needs converting.
WNDPROC procedure_of(HWND window, bool unicode) {
    return reinterpret_cast<WNDPROC>(unicode ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                             : GetWindowLongPtrA(window, GWLP_WNDPROC));
}

WNDPROC set_procedure(HWND window, bool unicode, WNDPROC procedure) {
    const auto value = reinterpret_cast<LONG_PTR>(procedure);
    return reinterpret_cast<WNDPROC>(unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                                             : SetWindowLongPtrA(window, GWLP_WNDPROC, value));
}

LRESULT CALLBACK skin_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The window is going: its state leaves the thread's table before the original
// procedure sees the message, so whatever that does meets an unskinned window.
LRESULT unskin(HWND window, UINT message, WPARAM wparam, LPARAM lparam, ThreadSkin* skin) {
    const std::unique_ptr<SkinnedWindow> self = skin->skinned.take(window);
    // Unhook unless someone subclassed the window after us: then their
    // procedure calls ours, which now passes everything on.
    if (procedure_of(window, self->unicode) == skin_proc) set_procedure(window, self->unicode, self->original);
    const LRESULT result = call_original(*self, window, message, wparam, lparam);
    forget_window(skin);
    return result;
}

bool top_level(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) == 0; }

LRESULT CALLBACK skin_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    SkinnedWindow* self = find_skinned(window);
    // Only when the thread's skin went before the window (the thread is
    // ending): nothing is left to pass the message on to.
    if (self == nullptr) return pass_on(window, message, wparam, lparam);
    if (message == WM_NCDESTROY) return unskin(window, message, wparam, lparam, self->skin);
    LRESULT result;
    switch (self->kind) {
    case WindowKind::kFrame:
    case WindowKind::kDialog:
        if (top_level(window) && frame_message(window, message, wparam, lparam, *self, result)) return result;
        return frame_window_message(window, message, wparam, lparam, *self);
    case WindowKind::kButton:
        return button_message(window, message, wparam, lparam, *self);
    case WindowKind::kLabel:
        return label_message(window, message, wparam, lparam, *self);
    case WindowKind::kTab:
        return tab_message(window, message, wparam, lparam, *self);
    case WindowKind::kTree:
        return tree_message(window, message, wparam, lparam, *self);
    default:
        return pass_on(window, message, wparam, lparam);
    }
}

}  // namespace

bool skin_window(HWND window, ThreadSkin& skin, WindowKind kind, bool created) {
    if (kind == WindowKind::kNone) return false;
    if (skin.skinned.find(window) != nullptr) return false;
    std::unique_ptr<SkinnedWindow> fresh(
        new (std::nothrow) SkinnedWindow(skin, kind, IsWindowUnicode(window) != FALSE));
    if (!fresh) return false;
    SkinnedWindow& self = *fresh;
    if (!skin.skinned.add(window, std::move(fresh))) return false;
    const WNDPROC original = set_procedure(window, self.unicode, skin_proc);
    if (original == nullptr) {
        skin.skinned.take(window);
        return false;
    }
    self.original = original;
    if (kind == WindowKind::kTree && created) colour_tree(window, resources(self));
    // One created before the theme: its frame is recalculated now (one seen
    // by the hook gets our WM_NCCALCSIZE and WM_CREATE anyway).
    const bool frame = kind == WindowKind::kFrame || kind == WindowKind::kDialog;
    if (frame && created && top_level(window)) adopt_frame(window);
    return true;
}

}  // namespace engine
