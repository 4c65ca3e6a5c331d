#pragma once

namespace theme {

// Writes the skinning engine's DLL into the run directory, hidden, unless a
// file or directory of that name is already there (then it is left as it is).
// The file appears whole or not at all: it is written beside it under a
// temporary name and then moved into place. When it cannot be written the
// program ends with a fatal error naming the file, the system's reason and
// what the player can do.
void ensure_engine_file();

}  // namespace theme
