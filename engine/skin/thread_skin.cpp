#include "engine/skin/thread_skin.h"

namespace engine {
namespace {

DWORD tls_slot = TLS_OUT_OF_INDEXES;
HMODULE module = nullptr;

void release(ThreadSkin* skin) {
    if (current_thread_skin() == skin) TlsSetValue(tls_slot, nullptr);
    delete skin;
}

}  // namespace

ThreadSkin::ThreadSkin() = default;
ThreadSkin::~ThreadSkin() = default;

bool initialize_thread_skins(HMODULE engine_module) {
    module = engine_module;
    tls_slot = TlsAlloc();
    return tls_slot != TLS_OUT_OF_INDEXES;
}

HMODULE engine_module() { return module; }

ThreadSkin* current_thread_skin() {
    if (tls_slot == TLS_OUT_OF_INDEXES) return nullptr;
    return static_cast<ThreadSkin*>(TlsGetValue(tls_slot));
}

bool set_thread_skin(ThreadSkin* skin) { return tls_slot != TLS_OUT_OF_INDEXES && TlsSetValue(tls_slot, skin); }

void forget_window(ThreadSkin* skin) {
    if (skin == nullptr || !skin->skinned.empty()) return;
    release(skin);
}

void end_thread_skin() {
    if (ThreadSkin* skin = current_thread_skin()) release(skin);
}

}  // namespace engine
