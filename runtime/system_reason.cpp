#include "runtime/system_reason.h"

#include <string>

#include "win32/unique_handle.h"

namespace runtime {

Text system_reason(DWORD error) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    const win32::UniqueLocalMemory<char> owned(buffer);
    Text reason = length != 0 ? Text(buffer, length) : Text("未知错误");
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    return reason;
}

Text reason_with_code(DWORD error) {
    return join_texts({system_reason(error), "（错误代码 ", std::to_string(error), "）"});
}

}  // namespace runtime
