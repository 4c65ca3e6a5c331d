#pragma once
// The program's three declared DLL commands. The DLL file names are kept
// exactly as declared: "kernel32.dll" with its extension, "kernel32" without.
#include <windows.h>

#include "engine/skinh_el.h"
#include "runtime/dll_command.h"

namespace runtime {

inline DllCommand<decltype(SkinH_AttachRes)> skin_attach_res{0, "SkinH_EL.dll", "SkinH_AttachRes"};
inline DllCommand<decltype(GetCurrentProcess)> get_current_process{1, "kernel32.dll", "GetCurrentProcess"};
inline DllCommand<decltype(SetProcessWorkingSetSize)> set_process_working_set_size{
    2, "kernel32", "SetProcessWorkingSetSize"};

}  // namespace runtime
