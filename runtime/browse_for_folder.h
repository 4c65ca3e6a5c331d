#pragma once
#include <string_view>

#include "runtime/text.h"

namespace runtime {

// The system folder dialog rooted at the desktop, with an edit box; the
// program's top-level windows are disabled while it is up. Returns the chosen
// folder's file-system path, or the empty text on cancel.
Text browse_for_folder(std::string_view title);

}  // namespace runtime
