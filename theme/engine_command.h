#pragma once
// The engine's one entry, bound at the first call from the file
// (engine::kEngineFileName) that ensure_engine_file puts beside the program.
#include "engine/skinh_el.h"
#include "runtime/dll_command.h"
#include "theme/engine_file.h"

namespace theme {

inline runtime::DllCommand<decltype(SkinH_AttachRes)> skin_attach_res{engine::kEngineFileName, "SkinH_AttachRes",
                                                                      engine_bind_advice};

}  // namespace theme
