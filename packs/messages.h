#pragma once
// The texts the apply and restore operations show, all under the program's
// one message title (runtime::kMessageTitle).
#include <windows.h>

#include <string_view>

#include "runtime/text.h"

namespace packs {

inline constexpr std::string_view kRestoreMessage = "删除成功";
// The path field is empty: start-up found no game in the registry, and every
// button then says so instead of writing anywhere.
inline constexpr std::string_view kNoGameDirectoryMessage = "没找到路径";

// What failed, in the first line of a failure message.
inline constexpr std::string_view kArchiveWriteFailed = "皮肤包写入失败，游戏的文件列表没有改动：";
inline constexpr std::string_view kManifestWriteFailed = "游戏的文件列表写入失败：";
inline constexpr std::string_view kManifestReadFailed = "游戏的文件列表读取失败，没有改动：";
inline constexpr std::string_view kManifestBackupFailed = "游戏的文件列表备份失败，没有改动：";
// Checked before anything is written: Windows cannot open such a path.
inline constexpr std::string_view kPathTooLong = "游戏文件夹的路径太长，没有改动：";
// Restore puts the stock list back first, so by then the game no longer
// loads the pack; only its file is left.
inline constexpr std::string_view kArchiveDeleteFailedListRestored =
    "游戏的文件列表已恢复，游戏不会再加载这个皮肤包，但皮肤包文件删除失败（可稍后再按“恢复”删除）：";

// "修改成功,..." CR LF "QQ<group>,群里有皮肤包和替换工具".
runtime::Text apply_message();

// The last line of a failure that the player can end: the file is held by the
// running game or its launcher, or the folder needs an administrator (a game
// under Program Files, say).
inline constexpr std::string_view kAccessRemedy =
    "解决办法：关闭游戏和游戏登录器后再按一次；如果仍然不行，请右键点本程序，选择“以管理员身份运行”。";

// A path past the system's limit: the game must move to a shorter one.
inline constexpr std::string_view kLongPathRemedy =
    "解决办法：把游戏移到路径较短的文件夹（例如 D:\\英雄联盟）后，重新打开本程序并选择那个文件夹。";

// A file the player marked read-only, hidden or system (players mark the list
// so that the launcher cannot reset it) is refused for that mark, which is
// theirs to clear: closing the game or running as an administrator would not
// help. The box names the mark and how to clear it:
//     这个文件被设为<“只读”、“隐藏”、“系统”, those it has>，本程序不改动这样的文件。
//     解决办法：<kShowHiddenFiles, when hidden>右键点这个文件，选择“属性”，取消勾选<the
//     marks>，按“确定”后再按一次。
// The properties window has no box for "system": then the last line is
//     解决办法：打开这个文件所在的 Game 文件夹，在窗口上方的地址栏输入 cmd 并按回车，在打开的
//     窗口里输入 attrib -r -h -s "<file name>" 并按回车，然后再按一次。
inline constexpr std::string_view kShowHiddenFiles =
    "先让文件夹显示隐藏的文件（Windows 10/11：在“查看”中勾选“隐藏的项目”；Windows 7：“组织” → "
    "“文件夹和搜索选项” → “查看” → “显示隐藏的文件、文件夹和驱动器”），再";

// What failed, the full path and the system's reason for `error`:
//     <what>
//     <path>
//     <reason>（错误代码 <error>）
//     <the marked-file lines, when the reason is access denied and the file is
//      marked; else kAccessRemedy, when the reason is access denied or a sharing
//      violation; kLongPathRemedy, when the path is too long>
runtime::Text failure_message(std::string_view what, std::string_view path, DWORD error);

// Every backup name of the list is taken: which is the last, and what to do.
runtime::Text no_free_backup_message(std::string_view last_backup_path);

}  // namespace packs
