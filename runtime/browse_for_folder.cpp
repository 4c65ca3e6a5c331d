#include "runtime/browse_for_folder.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

namespace runtime {

namespace {

struct WindowState {
    HWND window;
    bool enabled;
};

BOOL CALLBACK collect_own_window(HWND window, LPARAM context) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId())
        reinterpret_cast<std::vector<WindowState>*>(context)->push_back(
            {window, IsWindowEnabled(window) != FALSE});
    return TRUE;
}

// Disables the program's top-level windows while the dialog is up and puts
// back each window's state, and the active and foreground window, afterwards.
class DisabledWindows {
public:
    DisabledWindows() : active_(GetActiveWindow()), foreground_(GetForegroundWindow()) {
        EnumWindows(collect_own_window, reinterpret_cast<LPARAM>(&windows_));
        for (const WindowState& state : windows_)
            if (state.enabled) EnableWindow(state.window, FALSE);
    }
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;
    ~DisabledWindows() {
        for (const WindowState& state : windows_)
            if (IsWindow(state.window)) EnableWindow(state.window, state.enabled);
        if (foreground_ != nullptr && IsWindow(foreground_)) SetForegroundWindow(foreground_);
        if (active_ != nullptr && IsWindow(active_)) SetActiveWindow(active_);
    }

private:
    HWND active_;
    HWND foreground_;
    std::vector<WindowState> windows_;
};

// The folder dialog is a COM client and requires an apartment-threaded
// thread; the thread is left as it was found.
class OleSession {
public:
    OleSession() : initialized_(SUCCEEDED(OleInitialize(nullptr))) {}
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    ~OleSession() {
        if (initialized_) OleUninitialize();
    }

private:
    bool initialized_;
};

void free_item(LPITEMIDLIST item) {
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator != nullptr) {
        allocator->Free(item);
        allocator->Release();
    }
}

}  // namespace

Text browse_for_folder(std::string_view title) {
    const Text prompt(title.substr(0, text_length(title)));
    const HWND active = GetActiveWindow();
    char display_name[MAX_PATH] = {};

    BROWSEINFOA info{};
    info.hwndOwner = active != nullptr && IsWindow(active) ? active : nullptr;
    info.pidlRoot = nullptr;  // the desktop
    info.pszDisplayName = display_name;
    info.lpszTitle = prompt.c_str();
    info.ulFlags = BIF_EDITBOX;

    const OleSession ole;
    LPITEMIDLIST item = nullptr;
    {
        const DisabledWindows disabled;
        item = SHBrowseForFolderA(&info);
    }
    if (item == nullptr) return {};
    // One more than the system may fill: a path that fills it all comes back
    // unterminated under Wine, and is then read no further than the buffer.
    char path[MAX_PATH + 1] = {};
    const bool has_path = SHGetPathFromIDListA(item, path) != FALSE;
    free_item(item);
    return has_path ? Text(path) : Text();
}

}  // namespace runtime
