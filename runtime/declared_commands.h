#pragma once
// The program's three declared DLL commands. The DLL file names are kept
// exactly as declared: "kernel32.dll" with its extension, "kernel32" without.
#include <windows.h>

#include "engine/skinh_el.h"
#include "runtime/dll_command.h"

namespace runtime {

// The engine file is hidden: a player whose folder holds another DLL of its
// name (put there by another program) must learn which file and what to do.
inline constexpr char kEngineRemedy[] =
    "请删除上面这个文件（它可能是隐藏文件）后重新运行本程序，或者把本程序放到一个单独的文件夹里再运行。";
inline DllCommand<decltype(SkinH_AttachRes)> skin_attach_res{0, "SkinH_EL.dll", "SkinH_AttachRes", kEngineRemedy};
inline DllCommand<decltype(GetCurrentProcess)> get_current_process{1, "kernel32.dll", "GetCurrentProcess"};
inline DllCommand<decltype(SetProcessWorkingSetSize)> set_process_working_set_size{
    2, "kernel32", "SetProcessWorkingSetSize"};

}  // namespace runtime
