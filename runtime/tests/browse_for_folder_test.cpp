#include "runtime/browse_for_folder.h"

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "tests/support/box_watcher.h"
#include "tests/support/folder_dialog.h"
#include "tests/support/temp_directory.h"
#include "tests/support/window_text.h"
#include "watcher_thread.h"

namespace {

struct Browsed {
    std::string prompt;
    bool window_enabled = true;
    bool selected = false;
};

// Opens the dialog on the test thread; a watcher selects `folder` and presses
// `button`.
std::string browse(const std::string& folder, int button, Browsed& browsed) {
    const runtime_tests::TestWindow window;
    runtime_tests::WatcherThread watcher([&] {
        const HWND dialog = test_support::wait_for_folder_dialog(GetCurrentProcessId(), 10000);
        if (dialog == nullptr) return;
        browsed.window_enabled = IsWindowEnabled(window.get()) != FALSE;
        browsed.prompt = test_support::folder_dialog_prompt(dialog);
        browsed.selected = test_support::select_folder(GetCurrentProcess(), dialog, folder);
        test_support::press_button(dialog, button);
    });
    std::string result = runtime::browse_for_folder("请选择游戏目录");
    watcher.join();
    EXPECT_TRUE(IsWindowEnabled(window.get()));  // given back after the dialog
    // COM was set up for the dialog only: the thread may still join another apartment.
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    CoUninitialize();
    return result;
}

TEST(BrowseForFolder, ReturnsTheChosenFolder) {
    const test_support::TempDirectory temp;
    ASSERT_TRUE(temp.make_directory("英雄联盟"));
    Browsed browsed;
    EXPECT_EQ(browse(temp.path_of("英雄联盟"), IDOK, browsed), temp.path_of("英雄联盟"));
    EXPECT_TRUE(browsed.selected);
    EXPECT_EQ(browsed.prompt, "请选择游戏目录");
    EXPECT_FALSE(browsed.window_enabled);
}

TEST(BrowseForFolder, CancelGivesTheEmptyText) {
    const test_support::TempDirectory temp;
    ASSERT_TRUE(temp.make_directory("game"));
    Browsed browsed;
    EXPECT_EQ(browse(temp.path_of("game"), IDCANCEL, browsed), "");
}

}  // namespace
