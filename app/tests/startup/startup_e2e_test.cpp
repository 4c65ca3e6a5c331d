// The program's start under Wine, driven from outside: the registry value, the
// folder dialog, the engine file and theme hand-over, the group notice.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "testing/folder_dialog.h"
#include "app/tests/startup/install_path.h"
#include "app/tests/startup/program_under_test.h"
#include "packs/chat_group.h"
#include "testing/box_watcher.h"
#include "testing/child_process.h"
#include "testing/temp_directory.h"
#include "testing/window_search.h"
#include "testing/window_text.h"

namespace {

using startup_driver::find_main_window;
using startup_driver::find_path_field;
using startup_driver::InstallPathValue;
using startup_driver::windows_path;
using test_support::ChildProcess;
using test_support::TempDirectory;

constexpr DWORD kTimeoutMs = 20000;
constexpr char kEngineName[] = "SkinH_EL.dll";
constexpr char kEngineTemporaryName[] = "SkinH_EL.dll.tmp";

std::optional<std::string> read_file(std::string_view unix_path) {
    return test_support::read_whole_file(windows_path(unix_path));
}

DWORD attributes_without_archive(const std::string& path) {
    // Wine reports the archive bit on every file.
    return GetFileAttributesA(path.c_str()) & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE);
}

// The program placed alone in a fresh folder (the engine file goes beside it).
class StartupTest : public ::testing::Test {
protected:
    StartupTest() {
        folder_.make_directory("app");
        program_path_ = startup_driver::place_program(windows_path(PROGRAM_FILE), folder_.path_of("app"));
    }

    std::string app_file(std::string_view name) const { return folder_.path_of("app\\" + std::string(name)); }

    // A game folder below the test folder, with the client marker as a file,
    // as a folder, or missing.
    enum class Marker { kFile, kFolder, kNone };
    std::string make_game_folder(const std::string& relative, Marker marker) const {
        std::string path;
        for (std::size_t start = 0;;) {  // make every level
            const std::size_t slash = relative.find('\\', start);
            folder_.make_directory(relative.substr(0, slash));
            if (slash == std::string::npos) break;
            start = slash + 1;
        }
        if (marker != Marker::kNone) folder_.make_directory(relative + "\\TCLS");
        if (marker == Marker::kFile) folder_.write(relative + "\\TCLS\\Client.exe", "MZ");
        if (marker == Marker::kFolder) folder_.make_directory(relative + "\\TCLS\\Client.exe");
        return folder_.path_of(relative);
    }

    ChildProcess start() { return ChildProcess(program_path_, {}, folder_.path()); }

    // Start with no InstallPath: the not-found box, then the window.
    HWND start_to_main_window(ChildProcess& program) {
        const auto box = test_support::wait_for_message_box(program.id(), kTimeoutMs);
        if (!box) return nullptr;
        test_support::close_message_box(*box);
        return startup_driver::wait_for_visible_main_window(program.id(), kTimeoutMs);
    }

    TempDirectory folder_;
    std::string program_path_;
};

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

TEST_F(StartupTest, FirstStartWritesTheHiddenEngineAndTheSecondLeavesIt) {
    const InstallPathValue install_path(std::nullopt);
    const std::string engine = app_file(kEngineName);
    {
        ChildProcess program = start();
        const HWND window = start_to_main_window(program);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(startup_driver::close_and_wait(program, window), 0u);
    }
    EXPECT_EQ(test_support::read_whole_file(engine), read_file(ENGINE_FILE)) << "not the embedded engine";
    EXPECT_EQ(attributes_without_archive(engine), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(GetFileAttributesA(app_file(kEngineTemporaryName).c_str()), INVALID_FILE_ATTRIBUTES);

    WIN32_FILE_ATTRIBUTE_DATA before{}, after{};
    ASSERT_TRUE(GetFileAttributesExA(engine.c_str(), GetFileExInfoStandard, &before));
    Sleep(1100);  // a rewrite would now show a later write time
    {
        ChildProcess program = start();
        const HWND window = start_to_main_window(program);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(startup_driver::close_and_wait(program, window), 0u);
    }
    ASSERT_TRUE(GetFileAttributesExA(engine.c_str(), GetFileExInfoStandard, &after));
    EXPECT_EQ(CompareFileTime(&before.ftLastWriteTime, &after.ftLastWriteTime), 0);
    EXPECT_EQ(attributes_without_archive(engine), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
}

// "€" is 0x80 in code page 936, a character of one byte: a program folder
// whose name ends in it keeps the engine, which once went to its parent.
TEST_F(StartupTest, EngineLandsInAFolderWhoseNameEndsInEuro) {
    const InstallPathValue install_path(std::nullopt);
    folder_.make_directory("app\x80");
    const std::string folder = folder_.path_of("app\x80");
    program_path_ = startup_driver::place_program(windows_path(PROGRAM_FILE), folder);
    ChildProcess program = start();
    const HWND window = start_to_main_window(program);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(startup_driver::close_and_wait(program, window), 0u);
    EXPECT_EQ(test_support::read_whole_file(folder + "\\" + kEngineName), read_file(ENGINE_FILE));
    EXPECT_EQ(GetFileAttributesA(folder_.path_of(kEngineName).c_str()), INVALID_FILE_ATTRIBUTES) << "not in the parent";
}

// A start killed while writing the engine leaves half of it under the
// temporary name; the next start still ends with the whole engine, hidden,
// and nothing else.
TEST_F(StartupTest, HalfEngineLeftByAKilledStartIsReplaced) {
    const InstallPathValue install_path(std::nullopt);
    const std::string engine_bytes = read_file(ENGINE_FILE).value_or("");
    ASSERT_FALSE(engine_bytes.empty());
    ASSERT_TRUE(folder_.write("app\\" + std::string(kEngineTemporaryName), engine_bytes.substr(0, engine_bytes.size() / 2)));
    {
        ChildProcess program = start();
        const HWND window = start_to_main_window(program);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(startup_driver::close_and_wait(program, window), 0u);
    }
    EXPECT_TRUE(test_support::read_whole_file(app_file(kEngineName)) == engine_bytes);
    EXPECT_EQ(attributes_without_archive(app_file(kEngineName)), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(GetFileAttributesA(app_file(kEngineTemporaryName).c_str()), INVALID_FILE_ATTRIBUTES);
}

// engine_calls.txt of the recording engine as key=value pairs, one map a line.
std::vector<std::map<std::string, std::string>> read_engine_calls(const std::string& path) {
    std::vector<std::map<std::string, std::string>> lines;
    std::istringstream text(test_support::read_whole_file(path).value_or(""));
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::map<std::string, std::string> pairs;
        std::istringstream words(line);
        for (std::string word; words >> word;) {
            const std::size_t equals = word.find('=');
            pairs[word.substr(0, equals)] = word.substr(equals + 1);
        }
        lines.push_back(pairs);
    }
    return lines;
}

TEST_F(StartupTest, ThemeFiveReachesAVisibleForeignEngineThatIsLeftAsItIs) {
    const InstallPathValue install_path(std::nullopt);
    const std::string engine = app_file(kEngineName);
    ASSERT_TRUE(CopyFileA(windows_path(RECORDING_ENGINE_FILE).c_str(), engine.c_str(), TRUE));
    const DWORD attributes = attributes_without_archive(engine);
    {
        ChildProcess program = start();
        const HWND window = start_to_main_window(program);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(startup_driver::close_and_wait(program, window), 0u);
    }
    EXPECT_EQ(test_support::read_whole_file(engine), read_file(RECORDING_ENGINE_FILE));
    EXPECT_EQ(attributes_without_archive(engine), attributes);

    const auto calls = read_engine_calls(app_file("engine_calls.txt"));
    ASSERT_EQ(calls.size(), 2u) << "one call, then the free of its buffer";
    const auto theme_size = read_file(THEME_5_FILE).value_or("").size();
    auto call = calls[0];
    EXPECT_EQ(call["call"], "1");
    EXPECT_EQ(call["length"], std::to_string(theme_size));
    EXPECT_EQ(call["data_null"], "0");
    EXPECT_EQ(call["head"], "2E534845") << "the data behind the byte set's head";
    EXPECT_EQ(call["copy_size"], std::to_string(theme_size + 8)) << "a heap copy of the whole byte set";
    EXPECT_EQ(call["text_null"], "0");
    EXPECT_EQ(call["text_empty"], "1");
    EXPECT_EQ(call["a"], "0");
    EXPECT_EQ(call["b"], "0");
    EXPECT_EQ(call["c"], "0");
    EXPECT_EQ(calls[1].count("freed") ? calls[1].at("freed") : "", "1") << "the copy freed after the call";
}

TEST_F(StartupTest, AnEngineFileWithoutTheEntryIsFatal) {
    const InstallPathValue install_path(std::nullopt);
    ASSERT_TRUE(CopyFileA(windows_path(ENTRYLESS_ENGINE_FILE).c_str(), app_file(kEngineName).c_str(), TRUE));
    ChildProcess program = start();

    const auto box = test_support::wait_for_message_box(program.id(), kTimeoutMs);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, "错误");
    EXPECT_EQ(box->text,
              "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“SkinH_EL.dll”中的输出命令“SkinH_AttachRes”\r\n")
        << box->text_utf8();
    const HWND hidden = find_main_window(program.id());
    EXPECT_TRUE(hidden == nullptr || !IsWindowVisible(hidden));
    ASSERT_TRUE(test_support::press_ok(box->box));
    EXPECT_EQ(program.wait(kTimeoutMs), std::optional<DWORD>(0xFFFFFFFF));
}

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
