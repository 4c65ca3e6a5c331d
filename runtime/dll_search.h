#pragma once
// Where the system looks for the DLLs that system code loads later (the folder
// dialog, the common controls and the shell pull in uxtheme, version,
// dwmapi, ...). By default the program's own folder comes first, and players
// start the program from Downloads, where anything may lie beside it.
#include <windows.h>

namespace runtime {

// Finds an entry of the kernel32 the process already has: GetProcAddress in
// the program, a recorder in tests. Null when this Windows lacks the entry.
using KernelEntryFinder = FARPROC (*)(const char* entry_name);

FARPROC find_kernel32_entry(const char* entry_name);

// First thing at start: DLLs are searched in the system folder only
// (SetDefaultDllDirectories, which Windows 7 has only with KB2533623);
// where that is missing or refused, at least the current directory is
// taken out of the search (SetDllDirectoryA with the empty text). A DLL
// loaded by its full path, as the engine is, is found either way.
void restrict_dll_search(KernelEntryFinder find = find_kernel32_entry);

}  // namespace runtime
