#pragma once
// The theme in force on one GUI thread: its GDI resources, the creation hook
// that skins new windows, and the skinned windows' states. It lives from the
// first attach until the thread's last skinned window is destroyed.
#include <windows.h>

#include <memory>

#include "engine/skin/back_buffer.h"
#include "engine/skin/resources.h"
#include "engine/skin/window_table.h"
#include "win32/unique_handle.h"

namespace engine {

struct ThreadSkin {
    ThreadSkin();
    ThreadSkin(const ThreadSkin&) = delete;
    ThreadSkin& operator=(const ThreadSkin&) = delete;
    ~ThreadSkin();

    win32::UniqueHook hook;
    std::unique_ptr<SkinResources> resources;
    // Each skinned window's state, found here on every message it gets.
    // Kept in the thread rather than in window properties: a property read
    // is a round trip to the window server, and painting one button sends it
    // a dozen messages.
    WindowTable skinned;
    SharedBuffer buffer;  // what the thread's skinned windows paint into
};

// Called once from DllMain: the TLS slot that finds a thread's skin.
bool initialize_thread_skins(HMODULE engine_module);

// The engine's own module, for the hook.
HMODULE engine_module();

ThreadSkin* current_thread_skin();

// Makes `skin` the calling thread's; false when the slot can't be set.
bool set_thread_skin(ThreadSkin* skin);

// A skinned window is gone; the skin ends with the thread's last one.
void forget_window(ThreadSkin* skin);

// The calling thread is ending: its skin goes, whatever windows remain.
void end_thread_skin();

}  // namespace engine
