// The program's start under Wine, driven from outside: the registry value, the
// folder dialog, the group notice.
#include <string>

#include "app/tests/startup/startup_fixture.h"
#include "packs/chat_group.h"
#include "tests/support/folder_dialog.h"
#include "tests/support/window_text.h"

namespace startup_test {
namespace {

TEST_F(StartupTest, NoInstallPathSaysSoBeforeTheWindowAndKeepsAnEmptyField) {
    const InstallPathValue install_path(std::nullopt);
    ChildProcess program = start();

    const auto box = test_support::wait_for_message_box(program.id(), kTimeoutMs);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "没找到路径") << box->text_utf8();
    EXPECT_EQ(box->title, "提示");
    EXPECT_EQ(box->owner, nullptr);
    const HWND hidden = find_main_window(program.id());
    ASSERT_NE(hidden, nullptr);
    EXPECT_FALSE(IsWindowVisible(hidden)) << "the window must wait for start-up";
    EXPECT_EQ(test_support::wait_for_folder_dialog(program.id(), 0), nullptr);
    ASSERT_TRUE(test_support::close_message_box(*box));

    const HWND window = startup_driver::wait_for_visible_main_window(program.id(), kTimeoutMs);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(test_support::window_text(find_path_field(window)), "");
    EXPECT_EQ(test_support::wait_for_folder_dialog(program.id(), 0), nullptr);

    // With no game directory an apply press must not write anywhere.
    const HWND apply = startup_driver::find_button(window, "修改");
    ASSERT_NE(apply, nullptr);
    PostMessageW(apply, BM_CLICK, 0, 0);
    const auto refusal = test_support::wait_for_message_box(program.id(), kTimeoutMs);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text, "没找到路径") << refusal->text_utf8();
    test_support::close_message_box(*refusal);

    EXPECT_EQ(startup_driver::close_and_wait(program, window), 0u);
}

struct ConfirmedChoice {
    const char* name;
    const char* install_path;  // GBK
    const char* shown_while_choosing;
    const char* game_folder;   // below the test folder
    bool marker_is_folder;
};

class ConfirmedChoiceTest : public StartupTest, public ::testing::WithParamInterface<ConfirmedChoice> {};

TEST_P(ConfirmedChoiceTest, FieldShowsTheRegistryUpperCasedThenTheChoiceAsGiven) {
    const ConfirmedChoice& c = GetParam();
    const std::string game = make_game_folder(c.game_folder, c.marker_is_folder ? Marker::kFolder : Marker::kFile);
    const InstallPathValue install_path(std::string(c.install_path));
    ChildProcess program = start();

    const HWND dialog = test_support::wait_for_folder_dialog(program.id(), kTimeoutMs);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(test_support::folder_dialog_prompt(dialog), "如;E\\英雄联盟");
    const HWND hidden = find_main_window(program.id());
    ASSERT_NE(hidden, nullptr);
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_EQ(test_support::window_text(find_path_field(hidden)), std::string(c.shown_while_choosing));

    ASSERT_TRUE(test_support::select_folder(program.handle(), dialog, game));
    ASSERT_TRUE(test_support::press_ok(dialog));

    const HWND window = startup_driver::wait_for_visible_main_window(program.id(), kTimeoutMs);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(test_support::window_text(find_path_field(window)), game);
    EXPECT_EQ(startup_driver::close_and_wait(program, window), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, ConfirmedChoiceTest,
    ::testing::Values(ConfirmedChoice{"LowerCaseRegistryMixedCaseChoice", "d:\\games\\英雄联盟",
                                      "D:\\GAMES\\英雄联盟", "Games\\LoL 英雄", false},
                      ConfirmedChoice{"ClientMarkerIsAFolder", "C:\\x", "C:\\X", "Marker As Folder", true}),
    [](const auto& info) { return std::string(info.param.name); });

struct WrongChoice {
    const char* name;
    bool cancel;
};

class WrongChoiceTest : public StartupTest, public ::testing::WithParamInterface<WrongChoice> {};

TEST_P(WrongChoiceTest, EndsWithCodeZeroAndTheWindowNeverShows) {
    const std::string not_a_game = make_game_folder("Not A Game", Marker::kNone);
    const InstallPathValue install_path(std::string("C:\\Games"));
    ChildProcess program = start();

    const HWND dialog = test_support::wait_for_folder_dialog(program.id(), kTimeoutMs);
    ASSERT_NE(dialog, nullptr);
    if (GetParam().cancel) {
        ASSERT_TRUE(test_support::press_button(dialog, IDCANCEL));
    } else {
        ASSERT_TRUE(test_support::select_folder(program.handle(), dialog, not_a_game));
        ASSERT_TRUE(test_support::press_ok(dialog));
    }

    const auto box = test_support::wait_for_message_box(program.id(), kTimeoutMs);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "路径选择错误") << box->text_utf8();
    EXPECT_EQ(box->title, "提示");
    const HWND hidden = find_main_window(program.id());
    EXPECT_TRUE(hidden == nullptr || !IsWindowVisible(hidden));
    ASSERT_TRUE(test_support::press_ok(box->box));
    EXPECT_EQ(program.wait(kTimeoutMs), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(Choices, WrongChoiceTest,
                         ::testing::Values(WrongChoice{"Cancelled", true}, WrongChoice{"FolderWithoutClient", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupTest, GroupNoticeIsTheSameOnEveryPress) {
    const InstallPathValue install_path(std::nullopt);
    ChildProcess program = start();
    const HWND window = start_to_main_window(program);
    ASSERT_NE(window, nullptr);
    const HWND notice_button = startup_driver::find_button(window, "关于群");
    ASSERT_NE(notice_button, nullptr);
    for (int press = 1; press <= 3; ++press) {
        PostMessageW(notice_button, BM_CLICK, 0, 0);
        const auto box = test_support::wait_for_message_box(program.id(), kTimeoutMs);
        ASSERT_TRUE(box) << press;
        EXPECT_EQ(box->text,
                  "喜欢英雄联盟的皮肤可以来本群\r\n"
                  "一起交流皮肤，群里有大量自制皮肤可以供大家挂载\r\n"
                  "QQ群" + std::string(packs::kChatGroupNumber))
            << box->text_utf8();
        EXPECT_EQ(box->title, "提示");
        EXPECT_EQ(box->owner, nullptr);
        ASSERT_TRUE(test_support::close_message_box(*box));
    }
    EXPECT_EQ(test_support::window_text(find_path_field(window)), "");
    EXPECT_EQ(startup_driver::close_and_wait(program, window), 0u);
}

}  // namespace
}  // namespace startup_test
