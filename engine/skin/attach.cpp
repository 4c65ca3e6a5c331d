// The engine's one entry point, SkinH_AttachRes, and its DLL entry.
#include "engine/skinh_el.h"

#include "engine/core/load_theme.h"
#include "engine/skin/thread_attach.h"
#include "engine/skin/thread_skin.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) return engine::initialize_thread_skins(instance) ? TRUE : FALSE;
    // A thread that ends with its windows (or with none) sends them no
    // WM_NCDESTROY: its skin is released here instead.
    if (reason == DLL_THREAD_DETACH) engine::end_thread_skin();
    return TRUE;
}

extern "C" __attribute__((dllexport)) int WINAPI SkinH_AttachRes(const unsigned char* theme,
                                                                 std::uint32_t theme_size,
                                                                 const char* /*reserved_text*/,
                                                                 int /*reserved1*/, int /*reserved2*/,
                                                                 int /*reserved3*/) {
    engine::Theme decoded;
    const engine::AttachResult loaded = engine::load_theme(theme, theme_size, decoded);
    if (loaded != engine::kAttached) return loaded;
    return engine::attach_to_current_thread(decoded);
}
