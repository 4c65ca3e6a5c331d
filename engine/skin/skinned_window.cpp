#include "engine/skin/skinned_window.h"

#include "win32/dpi.h"

namespace engine {

SkinnedWindow* find_skinned(HWND window) {
    ThreadSkin* skin = current_thread_skin();
    if (skin == nullptr) return nullptr;
    return skin->skinned.find(window);
}

LRESULT call_original(const SkinnedWindow& self, HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return self.unicode ? CallWindowProcW(self.original, window, message, wparam, lparam)
                        : CallWindowProcA(self.original, window, message, wparam, lparam);
}

int drawing_dpi(HWND window) {
    HWND top = window;
    while ((GetWindowLongA(top, GWL_STYLE) & WS_CHILD) != 0) {
        HWND parent = GetParent(top);
        if (parent == nullptr) break;
        top = parent;
    }
    const SkinnedWindow* self = find_skinned(top);
    return self != nullptr && self->dpi != 0 ? self->dpi : win32::window_dpi(window);
}

LRESULT pass_on(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (const SkinnedWindow* self = find_skinned(window)) {
        return call_original(*self, window, message, wparam, lparam);
    }
    return IsWindowUnicode(window) ? DefWindowProcW(window, message, wparam, lparam)
                                   : DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace engine
