// A DLL for the binding tests: one export by name and ordinal, one by ordinal
// only, and one data export. When it is unloaded by FreeLibrary (not by the process ending) it
// leaves a marker file where RUNTIME_TEST_DLL_FREED points, so a test can see
// that the end clean-up freed it.
#include <windows.h>

#include "win32/unique_handle.h"

extern "C" int WINAPI add_numbers(int a, int b) { return a + b; }
extern "C" int WINAPI ordinal_only() { return 42; }
// Data that an image linked with auto-import reaches through a pseudo-relocation.
extern "C" {
int auto_imported_number = 7;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason != DLL_PROCESS_DETACH || reserved != nullptr) return TRUE;
    char marker[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("RUNTIME_TEST_DLL_FREED", marker, sizeof marker);
    if (length == 0 || length >= sizeof marker) return TRUE;
    const win32::UniqueFile file(CreateFileA(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return TRUE;
}
