#pragma once
// The registry view a program of the other kind reads, for tests that write
// where an installer of that kind would.
#include <windows.h>

#include <optional>

namespace test_support {

// KEY_WOW64_32KEY in a 64-bit process; KEY_WOW64_64KEY in a 32-bit one on
// 64-bit Windows (a 64-bit prefix); nothing on 32-bit Windows, which has one
// view only.
inline std::optional<REGSAM> other_registry_view() {
    if (sizeof(void*) == 8) return KEY_WOW64_32KEY;
    BOOL wow64 = FALSE;
    if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64) return KEY_WOW64_64KEY;
    return std::nullopt;
}

}  // namespace test_support
