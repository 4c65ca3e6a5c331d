#include "engine/skin/frame/window_manager.h"

#include <dwmapi.h>

#include <cstddef>

namespace engine {
namespace {

// Windows 11's (build 22000) corner attribute; older SDK headers lack it.
constexpr DWORD kWindowCornerPreference = 33;
constexpr DWORD kDoNotRound = 1;

using SetAttribute = decltype(&DwmSetWindowAttribute);

// Looked up, not imported: the engine's imports stay what Windows 7 has
// with or without composition, and dwmapi comes from the system folder only
// (never a planted copy beside the program). Kept loaded for the process.
SetAttribute set_attribute() {
    static const SetAttribute entry = [] {
        char path[MAX_PATH];
        const UINT length = GetSystemDirectoryA(path, MAX_PATH);
        constexpr char kName[] = "\\dwmapi.dll";
        if (length == 0 || length + sizeof kName > MAX_PATH) return SetAttribute{};
        for (std::size_t i = 0; i < sizeof kName; ++i) path[length + i] = kName[i];
        HMODULE dwm = LoadLibraryA(path);
        return dwm == nullptr ? SetAttribute{}
                              : reinterpret_cast<SetAttribute>(
                                    reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")));
    }();
    return entry;
}

}  // namespace

void own_frame_pixels(HWND window) {
    const SetAttribute set = set_attribute();
    if (set == nullptr) return;
    const DWMNCRENDERINGPOLICY policy = DWMNCRP_DISABLED;
    set(window, DWMWA_NCRENDERING_POLICY, &policy, sizeof policy);
    // Refused before Windows 11: the corners are square there anyway.
    set(window, kWindowCornerPreference, &kDoNotRound, sizeof kDoNotRound);
}

}  // namespace engine
