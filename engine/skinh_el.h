#pragma once
// The interface of SkinH_EL.dll: one entry, exported undecorated (stdcall).
// Callers load the DLL and bind the entry by name, typed from here as
// decltype(&SkinH_AttachRes); the program itself never links against it.
#include <windows.h>

#include <cstdint>

#include "engine/attach_result.h"

// The file the program writes beside itself and loads the engine from; the
// build names the DLL from this line (engine/CMakeLists.txt), and the scripts
// read it too.
namespace engine {
inline constexpr char kEngineFileName[] = "SkinH_EL.dll";
}  // namespace engine

// Puts the theme in the container `theme` (`theme_size` bytes) in force on the
// calling thread: its existing windows are repainted with it and the windows
// it creates later take it too. The engine copies what it keeps; the caller
// may free the buffer as soon as the call returns.
// The text and the three integers are reserved: callers pass "", 0, 0, 0 and
// the engine does not read them.
// Returns an engine::AttachResult; on failure nothing has changed.
extern "C" int WINAPI SkinH_AttachRes(const unsigned char* theme, std::uint32_t theme_size,
                                      const char* reserved_text, int reserved1, int reserved2,
                                      int reserved3);
