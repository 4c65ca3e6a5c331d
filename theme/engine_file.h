#pragma once
#include <windows.h>

#include "runtime/file_steps.h"
#include "runtime/text.h"

namespace theme {

// Writes the skinning engine's DLL into the run directory, hidden, unless a
// DLL or a directory of that name is already there (then it is left as it
// is: another program in the same folder may use it). Replaced are a file of
// that name that cannot be anybody's DLL (empty, without PE headers, or with
// sections running past its end, as a write cut by a power failure leaves
// it), and an engine of another build of this program (its version resource
// names our product, its bytes are not those we carry): an engine that stays
// from an earlier build would miss every later fix. The engine we carry is
// left untouched. The file appears whole or not at all (see
// runtime/write_file.h). When it cannot be written, or its path is too long
// for Windows, the program ends with a fatal error naming the file, the
// system's reason and what the player can do.
void ensure_engine_file();

// The same in `folder`, through `steps`, without the fatal error: 0, or the
// Win32 error code that stops the start (ERROR_FILENAME_EXCED_RANGE for a
// path that Windows would refuse). `written`: whether it wrote the file.
DWORD put_engine_file(const runtime::Text& folder, const runtime::FileSteps& steps, bool& written);

// What the fatal box says after the engine's path when it cannot be bound
// (the system's `error`): a load that fails right after this start wrote the
// file points at a virus scanner.
runtime::Text engine_bind_advice(DWORD error);

}  // namespace theme
