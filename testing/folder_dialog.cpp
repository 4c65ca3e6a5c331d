#include "testing/folder_dialog.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>

#include "runtime/text.h"
#include "testing/box_watcher.h"
#include "testing/deadline.h"

namespace test_support {

namespace {

// A block of memory in another process, freed at the end.
class RemoteBlock {
public:
    RemoteBlock(HANDLE process, std::size_t size)
        : process_(process),
          address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    ~RemoteBlock() {
        if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }

    char* address() const { return static_cast<char*>(address_); }
    bool write(std::size_t offset, const void* bytes, std::size_t size) const {
        return address_ != nullptr && WriteProcessMemory(process_, address() + offset, bytes, size, nullptr);
    }
    bool read(std::size_t offset, void* bytes, std::size_t size) const {
        return address_ != nullptr && ReadProcessMemory(process_, address() + offset, bytes, size, nullptr);
    }

private:
    HANDLE process_;
    void* address_;
};

std::string_view last_part(std::string_view folder) {
    // GBK-aware: a trail byte 0x5C is no separator.
    std::size_t start = 0;
    for (std::size_t i = 0; i < folder.size(); ++i) {
        if (runtime::is_gbk_lead_byte(static_cast<unsigned char>(folder[i])))
            ++i;
        else if (folder[i] == '\\')
            start = i + 1;
    }
    return folder.substr(start);
}

constexpr UINT kSendTimeoutMs = 5000;

}  // namespace

std::string selected_folder_item(HANDLE process, HWND dialog) {
    const HWND tree = GetDlgItem(dialog, kFolderTreeId);
    DWORD_PTR item = 0;
    if (tree == nullptr ||
        !SendMessageTimeoutA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &item) ||
        item == 0)
        return {};
    constexpr std::size_t kTextSize = MAX_PATH;
    const RemoteBlock block(process, sizeof(TVITEMA) + kTextSize);
    TVITEMA data{};
    data.mask = TVIF_TEXT;
    data.hItem = reinterpret_cast<HTREEITEM>(item);
    data.pszText = block.address() + sizeof(TVITEMA);
    data.cchTextMax = kTextSize;
    const char empty[1] = {};
    if (!block.write(0, &data, sizeof data) || !block.write(sizeof data, empty, 1)) return {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(block.address()), SMTO_ABORTIFHUNG,
                        kSendTimeoutMs, &ignored);
    char text[kTextSize + 1] = {};
    if (!block.read(sizeof data, text, kTextSize)) return {};
    return text;
}

bool select_folder(HANDLE process, HWND dialog, std::string_view folder, DWORD timeout_ms) {
    const std::string path(folder);
    const RemoteBlock block(process, path.size() + 1);
    if (!block.write(0, path.c_str(), path.size() + 1)) return false;
    const std::string_view leaf = last_part(path);
    return poll_until(timeout_ms, [&] {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(block.address()),
                            SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
        return selected_folder_item(process, dialog) == leaf;
    });
}

}  // namespace test_support
