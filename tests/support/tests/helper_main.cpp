// A stand-in program under test for the test-support tests:
//   exit <code>             exits with the code (decimal, may be negative)
//   cwd <file>              writes its current directory into the file
//   sleep                   sleeps until killed
//   box <text> <title>      shows a task-modal box over a window of its own,
//                           then exits with the box's result
//   folder <file>           shows the folder dialog, writes the chosen path
#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "win32/unique_handle.h"

namespace {

int show_box(const char* text, const char* title) {
    // A top-level window of our own, which the task-modal box must disable.
    const HWND window = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                        200, 100, nullptr, nullptr, nullptr, nullptr);
    const int result = MessageBoxA(nullptr, text, title, MB_TASKMODAL);
    DestroyWindow(window);
    return result;
}

void write_text(const char* path, const char* text, DWORD length) {
    const win32::UniqueFile file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    WriteFile(file.get(), text, length, &written, nullptr);
}

int choose_folder(const char* report) {
    char display_name[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.pszDisplayName = display_name;
    info.lpszTitle = "选择";
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    char path[MAX_PATH] = {};
    if (item != nullptr) {
        SHGetPathFromIDListA(item, path);
        CoTaskMemFree(item);
    }
    write_text(report, path, static_cast<DWORD>(std::strlen(path)));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "exit") == 0) return std::atoi(argv[2]);
    if (argc >= 3 && std::strcmp(argv[1], "cwd") == 0) {
        char directory[MAX_PATH] = {};
        write_text(argv[2], directory, GetCurrentDirectoryA(sizeof directory, directory));
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "sleep") == 0) {
        Sleep(INFINITE);
        return 0;
    }
    if (argc >= 4 && std::strcmp(argv[1], "box") == 0) return show_box(argv[2], argv[3]);
    if (argc >= 3 && std::strcmp(argv[1], "folder") == 0) return choose_folder(argv[2]);
    return 2;
}
