// Every "修改" and "恢复" button runs its own entry's operation on the game
// folder in the path field, each ending in a task-modal box; the notice
// button shows its notice. The files are checked against the catalogue.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "app/tests/driver/presses.h"
#include "app/tests/driver/tool.h"
#include "packs/catalogue.h"
#include "packs/manifest.h"
#include "packs/messages.h"
#include "win32/unique_handle.h"
#include "tests/support/box_watcher.h"
#include "tests/support/deadline.h"
#include "tests/support/temp_directory.h"
#include "tests/support/window_search.h"
#include "tests/support/window_text.h"
#include "ui/control_table.h"

namespace {

using driver::bytes_of;
using driver::control;
using driver::file_missing;
using driver::file_size;
using driver::press;

// Runs `queue` while the program's GUI thread stands still, so that whatever
// it queues is all waiting when the program fetches its next message.
template <typename Queue>
bool while_program_held(HWND window, Queue queue) {
    const win32::UniqueKernelHandle thread(
        OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT, FALSE, GetWindowThreadProcessId(window, nullptr)));
    if (!thread || SuspendThread(thread.get()) == static_cast<DWORD>(-1)) return false;
    // SuspendThread only asks; reading the context waits until the thread has stopped.
    CONTEXT context{};
    context.ContextFlags = CONTEXT_CONTROL;
    const bool held = GetThreadContext(thread.get(), &context) != FALSE;
    if (held) queue();
    ResumeThread(thread.get());
    return held;
}

TEST(Buttons, EveryRowAppliesAndRestoresItsOwnPack) {
    test_support::TempDirectory game;
    ASSERT_TRUE(game.make_directory("Game"));
    const std::string stock = bytes_of(packs::stock_manifest());
    const std::string manifest_path = game.path() + std::string(packs::kManifestSuffix);
    ASSERT_TRUE(test_support::write_whole_file(manifest_path, stock));

    driver::Tool tool = driver::start_tool();
    driver::set_game_directory(tool, game.path());
    EXPECT_EQ(driver::spoken(control(tool, ui::kPathFieldId)).value, game.path()) << "read as the path field's value";
    for (int page : {1, 2}) {
        driver::select_page(tool, page);
        for (std::size_t i = 0; i < ui::kControls.size(); ++i) {
            const ui::ControlRecord& apply = ui::kControls[i];
            if (apply.page != page || apply.binding.operation != ui::Operation::kApplyEntry) continue;
            const ui::ControlRecord& restore = ui::kControls[i + 1];
            ASSERT_EQ(restore.binding.operation, ui::Operation::kRestoreEntry);
            const int entry = apply.binding.entry;
            SCOPED_TRACE("entry " + std::to_string(entry));
            const packs::CatalogueEntry& pack = packs::catalogue_entry(entry);
            const std::string archive_path =
                game.path() + std::string(packs::kPackFolderSuffix) + std::string(pack.pack_file_name);

            EXPECT_EQ(press(tool, apply.id), packs::apply_message());
            EXPECT_EQ(file_size(archive_path), packs::catalogue_archive_size(entry));
            EXPECT_EQ(test_support::read_whole_file(manifest_path), bytes_of(pack.manifest));

            EXPECT_EQ(press(tool, restore.id), packs::kRestoreMessage);
            EXPECT_TRUE(file_missing(archive_path));
            EXPECT_EQ(test_support::read_whole_file(manifest_path), stock);
        }
    }
    EXPECT_EQ(driver::close_and_wait(tool), 0u);
}

// At 150 %: a click where row 1's "修改" shows on the screen lands on it and
// applies its pack.
TEST(Buttons, ApplyClickedWhereItShowsAt144Dpi) {
    test_support::TempDirectory game;
    ASSERT_TRUE(game.make_directory("Game"));
    driver::Tool tool = driver::start_tool({}, 144);
    driver::set_game_directory(tool, game.path());
    const ui::ControlRecord& apply = *ui::find_record(driver::row_buttons(1).first);
    POINT centre{MulDiv(apply.left + apply.width / 2, 144, 96), MulDiv(apply.top + apply.height / 2, 144, 96)};
    ClientToScreen(control(tool, ui::kTabControlId), &centre);
    const HWND button = WindowFromPoint(centre);
    ASSERT_EQ(button, control(tool, apply.id));
    ScreenToClient(button, &centre);
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    const auto box = test_support::wait_for_message_box(tool.process.id(), driver::kTimeoutMs);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, packs::apply_message());
    EXPECT_TRUE(test_support::close_message_box(*box));
    const std::string archive = game.path() + std::string(packs::kPackFolderSuffix) +
                                std::string(packs::catalogue_entry(1).pack_file_name);
    EXPECT_EQ(file_size(archive), packs::catalogue_archive_size(1));
    EXPECT_EQ(driver::close_and_wait(tool), 0u);
}

TEST(Buttons, NoticeButtonShowsTheGroupNotice) {
    driver::Tool tool = driver::start_tool();
    EXPECT_FALSE(press(tool, ui::kNoticeButtonId).empty());
    EXPECT_EQ(driver::close_and_wait(tool), 0u);
}

// A key typed while "修改" writes its pack waits in the program's queue and
// must not close the box that opens afterwards. Typed, not posted: a posted key
// goes to the window it names, a typed one to whatever has the focus when it
// is fetched, by then the box. The program is held still while the click and
// the key go in, so the key waits however fast the write is; the click, a
// posted message, is fetched first.
TEST(Buttons, KeysTypedDuringAnOperationDoNotCloseItsBox) {
    test_support::TempDirectory game;
    ASSERT_TRUE(game.make_directory("Game"));
    for (WORD key : {VK_RETURN, VK_SPACE, VK_ESCAPE}) {
        SCOPED_TRACE("key " + std::to_string(key));
        driver::Tool tool = driver::start_tool();
        driver::set_game_directory(tool, game.path());
        // Typed keys go to the foreground window's thread.
        ASSERT_TRUE(test_support::poll_until(driver::kTimeoutMs,
                                             [&] { return GetForegroundWindow() == tool.window; }));
        ASSERT_TRUE(while_program_held(tool.window, [&] {
            PostMessageA(control(tool, 0x16030001), BM_CLICK, 0, 0);  // 按钮1, entry 1
            driver::type_keys({key});
        }));
        auto box = test_support::wait_for_message_box(tool.process.id(), driver::kTimeoutMs);
        if (!box) {
            ADD_FAILURE() << "no box, or the key closed it at once";
            continue;
        }
        EXPECT_EQ(box->text, packs::apply_message());
        EXPECT_FALSE(test_support::wait_for_window_gone(box->box, 500)) << "the key closed the box";
        EXPECT_TRUE(test_support::close_message_box(*box));
        EXPECT_EQ(driver::close_and_wait(tool), 0u);
    }
}

// Relative game folders resolve against the program's own folder, wherever
// it was started from.
TEST(Buttons, ProgramStartedElsewhereWorksInItsRunDirectory) {
    test_support::TempDirectory elsewhere;
    const std::string relative = "e2e_run_directory_" + std::to_string(GetCurrentProcessId());
    const std::string in_run_directory = test_support::own_directory() + "\\" + relative;
    ASSERT_TRUE(CreateDirectoryA(in_run_directory.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((in_run_directory + "\\Game").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(elsewhere.path_of(relative).c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(elsewhere.path_of(relative + "\\Game").c_str(), nullptr));

    driver::Tool tool = driver::start_tool(elsewhere.path());
    driver::set_game_directory(tool, relative);
    EXPECT_EQ(press(tool, 0x16030001), packs::apply_message());  // 按钮1, entry 1
    const std::string name(packs::catalogue_entry(1).pack_file_name);
    EXPECT_EQ(file_size(in_run_directory + "\\Game\\" + name), packs::catalogue_archive_size(1));
    EXPECT_TRUE(file_missing(elsewhere.path_of(relative + "\\Game\\" + name)));
    EXPECT_EQ(driver::close_and_wait(tool), 0u);
    test_support::remove_tree(in_run_directory);
}

}  // namespace
