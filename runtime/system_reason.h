#pragma once
// The system's own words for a failure, for messages that tell the player why.
#include <windows.h>

#include "runtime/text.h"

namespace runtime {

// The system's text for a Win32 error code in the user's language (GBK under
// code page 936), without its final line break; "未知错误" when it has none.
Text system_reason(DWORD error);

}  // namespace runtime
