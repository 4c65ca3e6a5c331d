#pragma once
// The program's declared kernel32 commands (the engine's is theme's). They
// are bound at their first call, not imported, on purpose: the program has
// always asked for them this way, and its start trims the working set only
// where kernel32 has the call. The DLL file names are kept exactly as
// declared: "kernel32.dll" with its extension, "kernel32" without.
#include <windows.h>

#include "runtime/dll_command.h"

namespace runtime {

inline DllCommand<decltype(GetCurrentProcess)> get_current_process{"kernel32.dll", "GetCurrentProcess"};
inline DllCommand<decltype(SetProcessWorkingSetSize)> set_process_working_set_size{"kernel32",
                                                                                   "SetProcessWorkingSetSize"};

}  // namespace runtime
