#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "tests/support/box_watcher.h"
#include "tests/support/child_process.h"
#include "tests/support/folder_dialog.h"
#include "tests/support/temp_directory.h"
#include "tests/support/window_text.h"

namespace ts = test_support;

namespace {

std::string helper() { return ts::own_directory() + "\\test_support_helper.exe"; }

// Arguments must reach the child exactly: a wrong quote rule turns a path
// with spaces or a trailing backslash into two arguments or swallows a quote.
TEST(QuoteArgument, RoundTripsThroughTheCommandLineParser) {
    const std::string cases[] = {
        "plain", "", "with space", "trailing\\", "dir with space\\", "say \"hi\"", "a\\\\\"b", "\t",
    };
    for (const std::string& argument : cases) {
        const std::wstring line = ts::code_page_to_wide("prog.exe " + ts::quote_argument(argument), CP_ACP);
        int count = 0;
        LPWSTR* parsed = CommandLineToArgvW(line.c_str(), &count);
        ASSERT_NE(parsed, nullptr);
        EXPECT_EQ(count, 2) << argument;
        if (count == 2) {
            EXPECT_EQ(ts::wide_to_code_page(parsed[1], CP_ACP), argument);
        }
        LocalFree(parsed);
    }
}

TEST(ChildProcess, ReportsTheFullExitCode) {
    const ts::ChildProcess child(helper(), {"exit", "-1"});
    EXPECT_EQ(child.wait(10000), std::optional<DWORD>(0xFFFFFFFFu));
}

TEST(ChildProcess, StartsInTheGivenDirectory) {
    const ts::TempDirectory temp;
    ASSERT_TRUE(temp.make_directory("英雄 联盟"));
    const std::string directory = temp.path_of("英雄 联盟");
    const ts::ChildProcess child(helper(), {"cwd", temp.path_of("cwd.txt")}, directory);
    ASSERT_EQ(child.wait(10000), std::optional<DWORD>(0));
    EXPECT_EQ(temp.read("cwd.txt"), directory);
}

TEST(ChildProcess, TimesOutAndKills) {
    ts::ChildProcess child(helper(), {"sleep"});
    EXPECT_EQ(child.wait(100), std::nullopt);
    EXPECT_TRUE(child.running());
    child.kill();
    EXPECT_FALSE(child.running());
}

TEST(BoxWatcher, ReadsAndClosesATaskModalBox) {
    const ts::ChildProcess child(helper(), {"box", "第一行\r\n第二行", "提示"});
    const auto seen = ts::wait_for_message_box(child.id(), 10000);
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(seen->text, "第一行\r\n第二行") << seen->text_utf8();
    EXPECT_EQ(seen->title, "提示");
    EXPECT_EQ(seen->owner, nullptr);
    EXPECT_FALSE(seen->other_windows.empty());
    EXPECT_TRUE(seen->all_other_windows_disabled());
    EXPECT_TRUE(ts::close_message_box(*seen));
    EXPECT_EQ(child.wait(10000), std::optional<DWORD>(IDOK));
}

TEST(FolderDialog, SelectsAFolderInAnotherProcess) {
    const ts::TempDirectory temp;
    ASSERT_TRUE(temp.make_directory("游戏"));
    const ts::ChildProcess child(helper(), {"folder", temp.path_of("chosen.txt")});
    const HWND dialog = ts::wait_for_folder_dialog(child.id(), 10000);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(ts::select_folder(child.handle(), dialog, temp.path_of("游戏")));
    EXPECT_EQ(ts::selected_folder_item(child.handle(), dialog), "游戏");
    EXPECT_TRUE(ts::press_ok(dialog));
    ASSERT_EQ(child.wait(10000), std::optional<DWORD>(0));
    EXPECT_EQ(temp.read("chosen.txt"), temp.path_of("游戏"));
}

TEST(TempDirectory, RemovesEverythingItHolds) {
    std::string path;
    {
        const ts::TempDirectory temp;
        path = temp.path();
        ASSERT_TRUE(temp.make_directory("sub"));
        ASSERT_TRUE(temp.write("sub\\只读.txt", "x"));
        SetFileAttributesA(temp.path_of("sub\\只读.txt").c_str(), FILE_ATTRIBUTE_READONLY);
        ASSERT_TRUE(temp.write(ts::gbk(u8"英雄.txt"), std::string("a\0b", 3)));
        EXPECT_EQ(temp.read("英雄.txt"), std::string("a\0b", 3));
        // A program copy whose path passes MAX_PATH, as the deep-folder tests leave one.
        std::string deep = temp.path();
        while (deep.size() < 200) ASSERT_TRUE(CreateDirectoryA((deep += "\\" + std::string(40, 'd')).c_str(), nullptr));
        ASSERT_TRUE(CopyFileA(helper().c_str(), (deep + "\\" + std::string(60, 'p') + ".exe").c_str(), TRUE));
    }
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

// A test program killed at its time-out runs no destructor: the next folder
// made takes what it left (also where a later program got its id, as in
// Wine's next session), and leaves a running program's folder alone.
TEST(TempDirectory, RemovesWhatEndedProgramsLeft) {
    const ts::TempDirectory base;
    const std::string others = base.path() + "\\..\\skin-test-";
    const std::string folders[] = {others + "1-1", others + std::to_string(GetCurrentProcessId()) + "-1",
                                   base.path().substr(0, base.path().rfind('-')) + "-0"};
    for (const std::string& folder : folders) {
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        ASSERT_TRUE(ts::write_whole_file(folder + "\\program.exe", "MZ"));
    }
    { const ts::TempDirectory next; }
    EXPECT_EQ(GetFileAttributesA(folders[0].c_str()), INVALID_FILE_ATTRIBUTES) << "no such program";
    EXPECT_EQ(GetFileAttributesA(folders[1].c_str()), INVALID_FILE_ATTRIBUTES) << "the same id, another start";
    EXPECT_TRUE(ts::remove_tree(folders[2])) << "a running program's";
}

}  // namespace
