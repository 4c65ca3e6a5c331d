#include "app/tests/startup/folder_dialog.h"

#include <commctrl.h>
#include <shlobj.h>

#include "testing/box_watcher.h"
#include "testing/deadline.h"
#include "testing/window_text.h"

namespace startup_driver {
namespace {

constexpr SIZE_T kPathOffset = 0;
constexpr SIZE_T kItemOffset = 1024;
constexpr SIZE_T kItemTextOffset = 2048;
constexpr int kItemTextSize = 1024;

// A page in the program's address space, freed with it.
class RemoteBlock {
public:
    explicit RemoteBlock(HANDLE process)
        : process_(process),
          address_(static_cast<char*>(VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE))) {}
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    ~RemoteBlock() {
        if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    char* at(SIZE_T offset) const { return address_ + offset; }
    bool write(SIZE_T offset, const void* bytes, SIZE_T size) const {
        return WriteProcessMemory(process_, at(offset), bytes, size, nullptr) != FALSE;
    }
    bool read(SIZE_T offset, void* bytes, SIZE_T size) const {
        return ReadProcessMemory(process_, at(offset), bytes, size, nullptr) != FALSE;
    }
    explicit operator bool() const { return address_ != nullptr; }

private:
    HANDLE process_;
    char* address_;
};

// The text of the tree's selected item, read through the program's memory.
std::string selected_item_text(const RemoteBlock& remote, HWND tree) {
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (item == nullptr) return {};
    TVITEMA query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = remote.at(kItemTextOffset);
    query.cchTextMax = kItemTextSize;
    const char nothing = '\0';
    if (!remote.write(kItemTextOffset, &nothing, 1) || !remote.write(kItemOffset, &query, sizeof query)) return {};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.at(kItemOffset)),
                        SMTO_ABORTIFHUNG, 2000, &result);
    std::string text(kItemTextSize, '\0');
    if (!remote.read(kItemTextOffset, text.data(), text.size())) return {};
    text.resize(text.find('\0'));
    return text;
}

// What the tree shows for the folder: its last name, or "X:" for a drive root.
std::string shown_name(const std::string& path) {
    std::string trimmed = path;
    if (trimmed.size() > 3 && trimmed.back() == '\\') trimmed.pop_back();
    if (trimmed.size() == 3 && trimmed[1] == ':') return trimmed.substr(0, 2);
    return trimmed.substr(trimmed.find_last_of('\\') + 1);
}

}  // namespace

bool select_folder(HANDLE process, HWND dialog, const std::string& path, DWORD timeout_ms) {
    const RemoteBlock remote(process);
    if (!remote || !remote.write(kPathOffset, path.c_str(), path.size() + 1)) return false;
    const HWND tree = GetDlgItem(dialog, test_support::kFolderTreeId);
    const std::string expected = shown_name(path);
    // The dialog drops a selection sent while it is still filling its tree.
    return test_support::poll_until(timeout_ms, [&] {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(remote.at(kPathOffset)),
                            SMTO_ABORTIFHUNG, 2000, &result);
        Sleep(50);
        return selected_item_text(remote, tree).find(expected) != std::string::npos;
    });
}

std::string folder_dialog_prompt(HWND dialog) {
    return test_support::window_text(GetDlgItem(dialog, test_support::kFolderPromptId));
}

}  // namespace startup_driver
