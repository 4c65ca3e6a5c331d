#pragma once
// The engine's one entry, bound at the first call from the file
// (engine::kEngineFileName) that ensure_engine_file puts beside the program.
#include "engine/skinh_el.h"
#include "runtime/dll_command.h"

namespace theme {

// The engine file is hidden: a player whose folder holds another DLL of its
// name (put there by another program) must learn which file and what to do.
inline constexpr char kEngineRemedy[] =
    "请删除上面这个文件（它可能是隐藏文件）后重新运行本程序，或者把本程序放到一个单独的文件夹里再运行。";

inline runtime::DllCommand<decltype(SkinH_AttachRes)> skin_attach_res{engine::kEngineFileName, "SkinH_AttachRes",
                                                                      kEngineRemedy};

}  // namespace theme
