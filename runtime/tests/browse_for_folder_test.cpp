#include "runtime/browse_for_folder.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "testing/box_watcher.h"
#include "testing/deadline.h"
#include "testing/temp_directory.h"
#include "testing/window_text.h"
#include "watcher_thread.h"

namespace {

std::string selected_tree_text(HWND dialog) {
    const HWND tree = GetDlgItem(dialog, test_support::kFolderTreeId);
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (item == nullptr) return {};
    char text[MAX_PATH] = {};
    TVITEMA data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return text;
}

struct Browsed {
    std::string prompt;
    bool window_enabled = true;
    bool selected = false;
};

// Opens the dialog on the test thread; a watcher selects `folder` (whose last
// part is `leaf`) and presses `button`. The dialog sometimes drops a selection
// sent right after it appears, so it is sent until the tree shows it.
std::string browse(const std::string& folder, const std::string& leaf, int button, Browsed& browsed) {
    const runtime_tests::TestWindow window;
    runtime_tests::WatcherThread watcher([&] {
        const HWND dialog = test_support::wait_for_folder_dialog(GetCurrentProcessId(), 10000);
        if (dialog == nullptr) return;
        browsed.window_enabled = IsWindowEnabled(window.get()) != FALSE;
        browsed.prompt = test_support::window_text(GetDlgItem(dialog, test_support::kFolderPromptId));
        browsed.selected = test_support::poll_until(5000, [&] {
            SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
            return selected_tree_text(dialog) == leaf;
        });
        test_support::press_button(dialog, button);
    });
    std::string result = runtime::browse_for_folder("请选择游戏目录");
    watcher.join();
    EXPECT_TRUE(IsWindowEnabled(window.get()));  // given back after the dialog
    return result;
}

TEST(BrowseForFolder, ReturnsTheChosenFolder) {
    const test_support::TempDirectory temp;
    ASSERT_TRUE(temp.make_directory("英雄联盟"));
    Browsed browsed;
    EXPECT_EQ(browse(temp.path_of("英雄联盟"), "英雄联盟", IDOK, browsed), temp.path_of("英雄联盟"));
    EXPECT_TRUE(browsed.selected);
    EXPECT_EQ(browsed.prompt, "请选择游戏目录");
    EXPECT_FALSE(browsed.window_enabled);
}

TEST(BrowseForFolder, CancelGivesTheEmptyText) {
    const test_support::TempDirectory temp;
    ASSERT_TRUE(temp.make_directory("game"));
    Browsed browsed;
    EXPECT_EQ(browse(temp.path_of("game"), "game", IDCANCEL, browsed), "");
}

}  // namespace
