#include "packs/messages.h"

#include <string>
#include <utility>

#include "packs/chat_group.h"
#include "packs/manifest.h"
#include "packs/temporary_files.h"
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

namespace {

// The marks as the properties window names them: "“只读”、“隐藏”".
std::string mark_names(DWORD marks) {
    std::string names;
    for (const auto& [mark, name] : {std::pair<DWORD, std::string_view>{FILE_ATTRIBUTE_READONLY, "“只读”"},
                                     {FILE_ATTRIBUTE_HIDDEN, "“隐藏”"},
                                     {FILE_ATTRIBUTE_SYSTEM, "“系统”"}})
        if ((marks & mark) != 0) names += runtime::join_texts({names.empty() ? "" : "、", name});
    return names;
}

runtime::Text marked_file_remedy(std::string_view path, DWORD marks) {
    const std::string names = mark_names(marks);
    const std::string_view head = "这个文件被设为";
    if ((marks & FILE_ATTRIBUTE_SYSTEM) != 0) {
        const std::size_t slash = runtime::find_last_backslash(path);
        const std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
        return runtime::join_texts({head, names, "，本程序不改动这样的文件。\r\n解决办法：打开这个文件所在的 Game "
                                    "文件夹，在窗口上方的地址栏输入 cmd 并按回车，在打开的窗口里输入 attrib -r -h -s \"",
                                    file, "\" 并按回车，然后再按一次。"});
    }
    return runtime::join_texts({head, names, "，本程序不改动这样的文件。\r\n解决办法：",
                                (marks & FILE_ATTRIBUTE_HIDDEN) != 0 ? kShowHiddenFiles : "",
                                "右键点这个文件，选择“属性”，取消勾选", names, "，按“确定”后再按一次。"});
}

}  // namespace

runtime::Text failure_message(std::string_view what, std::string_view path, DWORD error) {
    const DWORD marks = error == ERROR_ACCESS_DENIED ? protective_marks(std::string(path)) : 0;
    const runtime::Text remedy =
        marks != 0 ? marked_file_remedy(path, marks)
        : error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION
            ? runtime::Text(kAccessRemedy)
        : error == ERROR_FILENAME_EXCED_RANGE ? runtime::Text(kLongPathRemedy)
                                              : runtime::Text();
    return runtime::join_texts({what, "\r\n", path, "\r\n", runtime::reason_with_code(error),
                                remedy.empty() ? "" : "\r\n", remedy});
}

}  // namespace packs
