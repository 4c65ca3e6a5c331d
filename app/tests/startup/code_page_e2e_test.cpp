// The code page check at start: Wine takes each process's ANSI code page from
// its Unix locale, so a program started under LANG and LC_ALL of another
// language stands in for a player's English or Traditional Chinese Windows.
#include <optional>
#include <string>
#include <vector>

#include "app/tests/startup/cancelled_choice.h"
#include "app/tests/startup/startup_fixture.h"
#include "runtime/code_page.h"
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
    EXPECT_EQ(box->text, runtime::code_page_refusal(*c.refused_code_page)) << box->text_utf8();
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
