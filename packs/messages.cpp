#include "packs/messages.h"

#include <string>

#include "packs/chat_group.h"

namespace packs {

runtime::Text apply_message() {
    return runtime::join_texts({"修改成功,如果修改成功进游戏没有加载\r\nQQ", kChatGroupNumber,
                                ",群里有皮肤包和替换工具"});
}

runtime::Text system_reason(DWORD error) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    runtime::Text reason = length != 0 ? runtime::Text(buffer, length) : runtime::Text("未知错误");
    LocalFree(buffer);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    return reason;
}

runtime::Text failure_message(std::string_view what, std::string_view path, DWORD error) {
    return runtime::join_texts({what, "\r\n", path, "\r\n", system_reason(error), "（错误代码 ",
                                std::to_string(error), "）"});
}

}  // namespace packs
