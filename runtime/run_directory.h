#pragma once
// The run directory: the executable's own folder, made current at start.
#include "runtime/text.h"

namespace runtime {

// Called once at start: takes the executable's path (GetModuleFileNameA),
// splits it at its last backslash and makes the directory part current.
void take_run_directory();

// The executable's directory without a trailing backslash (a fresh copy).
Text run_directory();

}  // namespace runtime
