#include "packs/messages.h"

#include <string>

#include "packs/chat_group.h"
#include "runtime/system_reason.h"

namespace packs {

runtime::Text apply_message() {
    return runtime::join_texts({"修改成功,如果修改成功进游戏没有加载\r\nQQ", kChatGroupNumber,
                                ",群里有皮肤包和替换工具"});
}

runtime::Text system_reason(DWORD error) { return runtime::system_reason(error); }

runtime::Text failure_message(std::string_view what, std::string_view path, DWORD error) {
    return runtime::join_texts({what, "\r\n", path, "\r\n", system_reason(error), "（错误代码 ",
                                std::to_string(error), "）"});
}

}  // namespace packs
