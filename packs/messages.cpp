#include "packs/messages.h"

#include <string>

#include "packs/chat_group.h"
#include "packs/manifest.h"
#include "runtime/system_reason.h"

namespace packs {

runtime::Text apply_message() {
    return runtime::join_texts({"修改成功,如果修改成功进游戏没有加载\r\nQQ", kChatGroupNumber,
                                ",群里有皮肤包和替换工具"});
}

runtime::Text no_free_backup_message(std::string_view last_backup_path) {
    return runtime::join_texts({kManifestBackupFailed, "\r\n", last_backup_path, "\r\n",
                                "备份文件名已用完（从 ClientZips.txt.bak 到 ClientZips.txt.bak",
                                std::to_string(kMostManifestBackups), "），请先把不需要的备份移出 Game 文件夹。"});
}

runtime::Text failure_message(std::string_view what, std::string_view path, DWORD error) {
    const std::string_view remedy =
        error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? kAccessRemedy
        : error == ERROR_FILENAME_EXCED_RANGE                                                                ? kLongPathRemedy
                                                                                                             : "";
    return runtime::join_texts({what, "\r\n", path, "\r\n", runtime::reason_with_code(error),
                                remedy.empty() ? "" : "\r\n", remedy});
}

}  // namespace packs
