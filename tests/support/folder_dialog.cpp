#include "tests/support/folder_dialog.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>

#include "runtime/text.h"
#include "tests/support/box_watcher.h"
#include "tests/support/deadline.h"
#include "tests/support/remote_memory.h"
#include "tests/support/window_text.h"

namespace test_support {

namespace {

// What the tree shows for the folder: its last name, or "X:" for a drive
// root (inside a longer label such as "本地磁盘 (C:)").
std::string shown_name(std::string_view folder) {
    if (folder.size() > 3 && folder.back() == '\\') folder.remove_suffix(1);
    if (folder.size() <= 3 && folder.size() >= 2 && folder[1] == ':') return std::string(folder.substr(0, 2));
    // GBK-aware: a trail byte 0x5C is no separator.
    const std::size_t last = runtime::find_last_backslash(folder);
    return std::string(last == std::string_view::npos ? folder : folder.substr(last + 1));
}

// Not SMTO_ABORTIFHUNG: see window_text.cpp.
constexpr UINT kSendTimeoutMs = 5000;

}  // namespace

std::string selected_folder_item(HANDLE process, HWND dialog) {
    const HWND tree = GetDlgItem(dialog, kFolderTreeId);
    DWORD_PTR item = 0;
    if (tree == nullptr ||
        !SendMessageTimeoutA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0, SMTO_NORMAL, kSendTimeoutMs, &item) ||
        item == 0)
        return {};
    constexpr std::size_t kTextSize = MAX_PATH;
    const RemoteBlock block(process, sizeof(TVITEMA) + kTextSize);
    TVITEMA data{};
    data.mask = TVIF_TEXT;
    data.hItem = reinterpret_cast<HTREEITEM>(item);
    data.pszText = block.at(sizeof(TVITEMA));
    data.cchTextMax = kTextSize;
    const char empty[1] = {};
    if (!block.write(0, &data, sizeof data) || !block.write(sizeof data, empty, 1)) return {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(block.at()), SMTO_NORMAL,
                        kSendTimeoutMs, &ignored);
    char text[kTextSize + 1] = {};
    if (!block.read(sizeof data, text, kTextSize)) return {};
    return text;
}

bool select_folder(HANDLE process, HWND dialog, std::string_view folder, DWORD timeout_ms) {
    const std::string path(folder);
    const RemoteBlock block(process, path.size() + 1);
    if (!block.write(0, path.c_str(), path.size() + 1)) return false;
    const std::string shown = shown_name(path);
    // The dialog drops a selection sent while it is still filling its tree.
    return poll_until(timeout_ms, [&] {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(block.at()),
                            SMTO_NORMAL, kSendTimeoutMs, &ignored);
        Sleep(50);
        const std::string selected = selected_folder_item(process, dialog);
        return selected == shown || (shown.size() == 2 && selected.find(shown) != std::string::npos);
    });
}

std::string folder_dialog_prompt(HWND dialog) { return window_text(GetDlgItem(dialog, kFolderPromptId)); }

}  // namespace test_support
