// A stand-in program under test for the test-support tests:
//   exit <code>             exits with the code (decimal, may be negative)
//   cwd <file>              writes its current directory into the file
//   sleep                   sleeps until killed
//   box <text> <title>      shows a task-modal box over a window of its own,
//                           then exits with the box's result
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int show_box(const char* text, const char* title) {
    // A top-level window of our own, which the task-modal box must disable.
    const HWND window = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                        200, 100, nullptr, nullptr, nullptr, nullptr);
    const int result = MessageBoxA(nullptr, text, title, MB_TASKMODAL);
    DestroyWindow(window);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "exit") == 0) return std::atoi(argv[2]);
    if (argc >= 3 && std::strcmp(argv[1], "cwd") == 0) {
        char directory[MAX_PATH] = {};
        const DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
        const HANDLE file = CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, directory, length, &written, nullptr);
        CloseHandle(file);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "sleep") == 0) {
        Sleep(INFINITE);
        return 0;
    }
    if (argc >= 4 && std::strcmp(argv[1], "box") == 0) return show_box(argv[2], argv[3]);
    return 2;
}
