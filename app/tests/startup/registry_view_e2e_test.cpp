// The game's registry value where an installer of the other kind wrote it: in
// the other registry view only. The 32-bit program meets that view only on
// 64-bit Windows, so its run goes through scripts/with-wow64-prefix.sh.
#include <string>

#include "app/tests/startup/startup_fixture.h"
#include "runtime/text.h"
#include "tests/support/window_text.h"

namespace startup_test {
namespace {

// The view a program of the other kind reads: KEY_WOW64_32KEY from a 64-bit
// process; KEY_WOW64_64KEY from a 32-bit one on 64-bit Windows; none on
// 32-bit Windows, which has one view.
std::optional<REGSAM> other_registry_view() {
    if (sizeof(void*) == 8) return KEY_WOW64_32KEY;
    BOOL wow64 = FALSE;
    if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64) return KEY_WOW64_64KEY;
    return std::nullopt;
}

TEST_F(StartupTest, InstallPathInTheOtherRegistryViewOnlyIsFound) {
    const std::optional<REGSAM> other_view = other_registry_view();
    if (!other_view) GTEST_SKIP() << "a 32-bit prefix has one registry view; run through scripts/with-wow64-prefix.sh";
    const std::string game = make_game_folder("Game", Marker::kFile);
    const InstallPathValue own_view(std::nullopt);
    const InstallPathValue other(game, *other_view);
    ChildProcess program = start();

    const HWND dialog = test_support::wait_for_folder_dialog(program.id(), kTimeoutMs);
    ASSERT_NE(dialog, nullptr) << "no folder dialog: the value was not found";
    const HWND hidden = find_main_window(program.id());
    ASSERT_NE(hidden, nullptr);
    EXPECT_EQ(test_support::window_text(find_path_field(hidden)), runtime::to_upper_case(game));
    ASSERT_TRUE(test_support::press_button(dialog, IDCANCEL));
    const auto box = test_support::wait_for_message_box(program.id(), kTimeoutMs);
    ASSERT_TRUE(box);
    ASSERT_TRUE(test_support::press_ok(box->box));
    EXPECT_EQ(program.wait(kTimeoutMs), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace startup_test
