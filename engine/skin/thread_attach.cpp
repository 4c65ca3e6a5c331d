#include "engine/skin/thread_attach.h"

#include <memory>
#include <new>

#include "engine/skin/subclass.h"
#include "engine/skin/thread_skin.h"

namespace engine {
namespace {

LRESULT CALLBACK on_cbt(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND) {
        if (ThreadSkin* skin = current_thread_skin()) {
            HWND window = reinterpret_cast<HWND>(wparam);
            skin_window(window, *skin, classify_window(window), false);
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

// The hook and the subclasses point into this DLL: it must never be unloaded
// while they exist, and the program never detaches, so it stays for good.
void pin_engine() {
    HMODULE self;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(&on_cbt), &self);
}

BOOL CALLBACK skin_child(HWND window, LPARAM skin) {
    // Children of another thread can't be subclassed from here.
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        skin_window(window, *reinterpret_cast<ThreadSkin*>(skin), classify_window(window), true);
    }
    return TRUE;
}

BOOL CALLBACK skin_top_level(HWND window, LPARAM skin) {
    skin_child(window, skin);
    EnumChildWindows(window, skin_child, skin);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
}

}  // namespace

AttachResult attach_to_current_thread(const Theme& theme) {
    if (engine_module() == nullptr) return kSystemFailure;
    std::unique_ptr<SkinResources> resources = SkinResources::create(theme);
    if (!resources) return kSystemFailure;

    ThreadSkin* skin = current_thread_skin();
    if (skin == nullptr) {
        std::unique_ptr<ThreadSkin> fresh(new (std::nothrow) ThreadSkin);
        if (!fresh) return kOutOfMemory;
        fresh->hook.reset(SetWindowsHookExA(WH_CBT, on_cbt, engine_module(), GetCurrentThreadId()));
        if (!fresh->hook || !set_thread_skin(fresh.get())) return kSystemFailure;
        pin_engine();
        skin = fresh.release();
    }
    // The old resources go at the end of this call; the repaint below is only
    // queued, so nothing still draws with them.
    skin->resources.swap(resources);
    EnumThreadWindows(GetCurrentThreadId(), skin_top_level, reinterpret_cast<LPARAM>(skin));
    return kAttached;
}

}  // namespace engine
