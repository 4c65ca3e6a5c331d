#include "runtime/queued_input.h"

#include <windows.h>

#include <optional>

namespace runtime {

void discard_queued_input() {
    // Input ranges only: the quit message, paints, timers and posted
    // commands queued among the keys must still arrive.
    struct Range {
        UINT first, last;
    };
    constexpr Range kInput[] = {
        {WM_KEYFIRST, WM_KEYLAST},
        {WM_MOUSEFIRST, WM_MOUSELAST},
        {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK},
    };
    // Wine hands out a pending quit whatever the range: it is put back once
    // the input is gone.
    std::optional<WPARAM> quit;
    MSG message;
    for (const Range& range : kInput) {
        while (PeekMessageA(&message, nullptr, range.first, range.last, PM_REMOVE))
            if (message.message == WM_QUIT) quit = message.wParam;
    }
    if (quit) PostQuitMessage(static_cast<int>(*quit));
}

}  // namespace runtime
