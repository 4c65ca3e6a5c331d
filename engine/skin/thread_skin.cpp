#include "engine/skin/thread_skin.h"

#include <new>

#include "engine/skin/skinned_window.h"

namespace engine {
namespace {

DWORD tls_slot = TLS_OUT_OF_INDEXES;
HMODULE module = nullptr;

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

ThreadSkin::ThreadSkin() = default;
ThreadSkin::~ThreadSkin() = default;

bool initialize_thread_skins(HMODULE engine_module) {
    module = engine_module;
    tls_slot = TlsAlloc();
    return tls_slot != TLS_OUT_OF_INDEXES;
}

ThreadSkin* current_thread_skin() {
    if (tls_slot == TLS_OUT_OF_INDEXES) return nullptr;
    return static_cast<ThreadSkin*>(TlsGetValue(tls_slot));
}

AttachResult attach_to_current_thread(const Theme& theme) {
    if (tls_slot == TLS_OUT_OF_INDEXES) return kSystemFailure;
    std::unique_ptr<SkinResources> resources = SkinResources::create(theme);
    if (!resources) return kSystemFailure;

    ThreadSkin* skin = current_thread_skin();
    if (skin == nullptr) {
        std::unique_ptr<ThreadSkin> fresh(new (std::nothrow) ThreadSkin);
        if (!fresh) return kOutOfMemory;
        fresh->hook.reset(SetWindowsHookExA(WH_CBT, on_cbt, module, GetCurrentThreadId()));
        if (!fresh->hook || !TlsSetValue(tls_slot, fresh.get())) return kSystemFailure;
        pin_engine();
        skin = fresh.release();
    }
    // The old resources go at the end of this call; the repaint below is only
    // queued, so nothing still draws with them.
    skin->resources.swap(resources);
    EnumThreadWindows(GetCurrentThreadId(), skin_top_level, reinterpret_cast<LPARAM>(skin));
    return kAttached;
}

namespace {

void release(ThreadSkin* skin) {
    if (current_thread_skin() == skin) TlsSetValue(tls_slot, nullptr);
    delete skin;
}

}  // namespace

void forget_window(ThreadSkin* skin) {
    if (skin == nullptr || !skin->skinned.empty()) return;
    release(skin);
}

void end_thread_skin() {
    if (ThreadSkin* skin = current_thread_skin()) release(skin);
}

}  // namespace engine
