// The code page check at start: Wine takes each process's ANSI code page from
// its Unix locale, so a program started under LANG and LC_ALL of another
// language stands in for a player's English or Traditional Chinese Windows.
#include <optional>
#include <string>
#include <vector>

#include "app/tests/startup/cancelled_choice.h"
#include "app/tests/startup/startup_fixture.h"
#include "tests/support/folder_dialog.h"
#include "tests/support/locale_process.h"
#include "win32/unique_handle.h"

namespace startup_test {
namespace {

// Every file and folder below `folder`, relative to it.
std::vector<std::string> names_below(const std::string& folder, const std::string& relative = "") {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const win32::UniqueFind find(FindFirstFileA((folder + "\\" + relative + "*").c_str(), &found));
    if (!find) return names;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        names.push_back(relative + name);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            const auto below = names_below(folder, relative + name + "\\");
            names.insert(names.end(), below.begin(), below.end());
        }
    } while (FindNextFileA(find.get(), &found));
    return names;
}

std::string refusal(unsigned code_page) {
    const std::string number = std::to_string(code_page);
    return "这台电脑的系统代码页是 " + number +
           "，而本程序和游戏都需要简体中文（代码页 936）。\r\n本程序没有做任何修改。\r\n"
           "This computer's system code page is " + number +
           "; this program and the game need Simplified Chinese (code page 936). Nothing was changed.\r\n\r\n"
           "设置方法：打开控制面板里的“区域”（Windows 7：“区域和语言”；也可按 Win+R 输入 intl.cpl），"
           "在“管理”页点“更改系统区域设置”，选择“中文(简体，中国)”，"
           "取消勾选“Beta 版: 使用 Unicode UTF-8 提供全球语言支持”，确定后重新启动电脑。\r\n\r\n"
           "How to set it: in Control Panel open \"Region\" (Windows 7: \"Region and Language\"; or press Win+R and "
           "enter intl.cpl), on the \"Administrative\" tab click \"Change system locale...\", choose \"Chinese "
           "(Simplified, China)\" (Windows 7: \"Chinese (Simplified, PRC)\"), untick \"Beta: Use Unicode UTF-8 for "
           "worldwide language support\", press OK and restart the computer.";
}

struct Locale {
    const char* name;
    const char* locale;
    std::optional<unsigned> refused_code_page;  // nothing: starts as on every start
};

class CodePageTest : public StartupTest, public ::testing::WithParamInterface<Locale> {};

TEST_P(CodePageTest, AnotherCodePageIsRefusedBeforeAnythingIsTouched) {
    const Locale& c = GetParam();
    const std::string game = make_game_folder("Game", Marker::kFile);
    const InstallPathValue install_path(game);
    ChildProcess program = test_support::start_under_locale(program_path_, c.locale, kTimeoutMs);

    if (!c.refused_code_page) {
        ASSERT_NO_FATAL_FAILURE(cancel_the_folder_choice(program, kTimeoutMs));
        EXPECT_NE(GetFileAttributesA(app_file(kEngineName).c_str()), INVALID_FILE_ATTRIBUTES);
        return;
    }
    const auto box = test_support::wait_for_message_box(program.id(), kTimeoutMs);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, "错误");
    EXPECT_EQ(box->text, refusal(*c.refused_code_page)) << box->text_utf8();
    EXPECT_EQ(find_main_window(program.id()), nullptr);
    ASSERT_TRUE(test_support::press_ok(box->box));
    EXPECT_EQ(program.wait(kTimeoutMs), std::optional<DWORD>(0xFFFFFFFF));
    const std::string program_name = program_path_.substr(program_path_.find_last_of('\\') + 1);
    EXPECT_EQ(names_below(folder_.path_of("app")), std::vector<std::string>{program_name}) << "no engine file";
    EXPECT_EQ(names_below(game), (std::vector<std::string>{"TCLS", "TCLS\\Client.exe"}));
}

INSTANTIATE_TEST_SUITE_P(Locales, CodePageTest,
                         ::testing::Values(Locale{"SimplifiedChinese", "zh_CN.UTF-8", std::nullopt},
                                           Locale{"English", "en_US.UTF-8", 1252},
                                           Locale{"TraditionalChinese", "zh_TW.UTF-8", 950}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace startup_test
