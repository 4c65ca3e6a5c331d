#pragma once
#include <windows.h>

#include <optional>
#include <string_view>

namespace runtime {

// The title of every message of the program's own handlers.
inline constexpr std::string_view kMessageTitle = "提示";

// MessageBoxA with MB_TASKMODAL added unless MB_SYSTEMMODAL is asked for. An
// omitted title gives the caption "信息：". Returns which button closed it,
// counted from 0 as the program's handlers count them, not as Windows' IDs
// (a caller that compares with IDOK would be wrong by one): IDOK 0, IDCANCEL 1, IDABORT 2, IDRETRY 3, IDIGNORE 4, IDYES 5, IDNO 6.
int message_box(std::string_view text, int code,
                std::optional<std::string_view> title = std::nullopt, HWND owner = nullptr);

}  // namespace runtime
