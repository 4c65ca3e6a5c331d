#include "runtime/dll_search.h"

namespace runtime {

namespace {

template <typename Function>
Function* as_entry(FARPROC address) {
    // Through void*: FARPROC says nothing of the entry's type.
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(address));
}

}  // namespace

FARPROC find_kernel32_entry(const char* entry_name) {
    // Already loaded into every process: nothing is searched for on disk.
    const HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    return kernel32 != nullptr ? GetProcAddress(kernel32, entry_name) : nullptr;
}

void restrict_dll_search(KernelEntryFinder find) {
    // Typed from the SDK: on i686 a pointer type without WINAPI corrupts the stack.
    if (auto* set_default = as_entry<decltype(SetDefaultDllDirectories)>(find("SetDefaultDllDirectories")))
        if (set_default(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    if (auto* set_directory = as_entry<decltype(SetDllDirectoryA)>(find("SetDllDirectoryA"))) set_directory("");
}

}  // namespace runtime
