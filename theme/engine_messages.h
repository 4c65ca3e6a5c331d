#pragma once
// What the fatal boxes say when the engine file cannot be written or loaded:
// the file, the system's reason and code, and what the player can do. A
// virus scanner is the usual cause of both, and the remedy for a folder
// (move the program) does nothing against it.
#include <windows.h>

#include <string_view>

#include "runtime/text.h"

namespace theme {

// The folder takes no file: Program Files without elevation, a read-only
// share, a full disk, or Desktop and Documents, which Windows' controlled
// folder access guards against unknown programs.
inline constexpr std::string_view kUnwritableRemedy =
    "请在空间足够的磁盘上新建一个自己的文件夹（不要放在桌面、“文档”或 Program Files 里，例如 D:\\游戏工具），"
    "把本程序移到那里后再运行；或者右键点击本程序，选择“以管理员身份运行”。";

// Another program's DLL of the engine's name (the file is hidden).
inline constexpr std::string_view kForeignEngineRemedy =
    "请删除上面这个文件（它可能是隐藏文件）后重新运行本程序，或者把本程序放到一个单独的文件夹里再运行。";

// A scanner that refused, removed or locked the file.
inline constexpr std::string_view kScannerRemedy =
    "这多半是杀毒软件拦截或隔离了这个文件。请在杀毒软件里允许它：Windows 自带的防护请打开“Windows 安全中心”→"
    "“病毒和威胁防护”→“保护历史记录”，点开与这个文件有关的记录，选择“操作”→“允许”（或“还原”）；也可以在"
    "“病毒和威胁防护设置”→“管理设置”→“排除项”→“添加或删除排除项”里添加本程序所在的文件夹。"
    "其他杀毒软件请在它的隔离区里恢复这个文件，并信任本程序所在的文件夹。然后重新运行本程序。";

// The message of the fatal box when writing the engine file `engine` failed
// with `error`.
runtime::Text unwritable_engine_message(const runtime::Text& engine, DWORD error);

// What follows the engine's path when it cannot be loaded or lacks its entry
// (`error`); `written_now`: this start has just written it, so what stopped
// the load came after the write.
runtime::Text unloadable_engine_advice(DWORD error, bool written_now);

}  // namespace theme
