#pragma once

namespace theme {

// Writes the skinning engine's DLL into the run directory, hidden, unless a
// file or directory of that name is already there (then it is left as it is).
void ensure_engine_file();

}  // namespace theme
