#pragma once
// The system's own words for a failure, for messages that tell the player why.
#include <windows.h>

#include "runtime/text.h"

namespace runtime {

// The system's text for a Win32 error code in the user's language (GBK under
// code page 936), without its final line break; "未知错误" when it has none.
Text system_reason(DWORD error);

// The reason followed by its code, as every failure box shows it:
// "<reason>（错误代码 <error>）".
Text reason_with_code(DWORD error);

}  // namespace runtime
