#pragma once
#include <windows.h>

#include "runtime/file_steps.h"
#include "runtime/text.h"

namespace theme {

// Writes the skinning engine's DLL into the run directory, hidden, unless a
// DLL or a directory of that name is already there (then it is left as it
// is: another program in the same folder may use it). A file of that name
// that cannot be anybody's DLL (empty, without PE headers, or with sections
// running past its end, as a write cut by a power failure leaves it) is
// replaced. The file appears whole
// or not at all (see runtime/write_file.h). When it cannot be written, or its
// path is too long for Windows, the program ends with a fatal error naming
// the file, the system's reason and what the player can do.
void ensure_engine_file();

// The same in `folder`, through `steps`, without the fatal error: 0, or the
// Win32 error code that stops the start (ERROR_FILENAME_EXCED_RANGE for a
// path that Windows would refuse).
DWORD put_engine_file(const runtime::Text& folder, const runtime::FileSteps& steps);

}  // namespace theme
