// Every "修改" and "恢复" button runs its own entry's operation on the game
// folder in the path field, each ending in a task-modal box; the notice
// button shows its notice. The files are checked against the catalogue.
#include <windows.h>

#include <iostream>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "app/tests/driver/tool.h"
#include "packs/catalogue.h"
#include "packs/manifest.h"
#include "packs/messages.h"
#include "win32/unique_handle.h"
#include "testing/box_watcher.h"
#include "testing/deadline.h"
#include "testing/temp_directory.h"
#include "testing/window_search.h"
#include "testing/window_text.h"
#include "ui/control_table.h"

namespace {

using driver::control;

std::string bytes_of(runtime::ByteSet bytes) {
    return std::string(reinterpret_cast<const char*>(bytes.data), bytes.size);
}

DWORD file_size(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0xFFFFFFFF;
    return data.nFileSizeLow;
}

bool file_missing(const std::string& path) {
    return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

// Presses the button and returns the text of the box it brings up, after
// checking that the box is task-modal and closing it.
std::string press(const driver::Tool& tool, std::uint32_t id) {
    PostMessageA(control(tool, id), BM_CLICK, 0, 0);
    auto box = test_support::wait_for_message_box(tool.process.id(), driver::kTimeoutMs);
    if (!box) {
        ADD_FAILURE() << "no box after pressing " << std::hex << id;
        return {};
    }
    EXPECT_EQ(box->title, "提示");
    EXPECT_EQ(box->owner, nullptr);
    EXPECT_FALSE(IsWindowEnabled(tool.window)) << "the box must be task-modal";
    EXPECT_TRUE(box->all_other_windows_disabled());
    EXPECT_TRUE(test_support::close_message_box(*box));
    // The box is gone a moment before its modal loop enables the window again.
    EXPECT_TRUE(test_support::poll_until(driver::kTimeoutMs,
                                         [&] { return IsWindowEnabled(tool.window) != FALSE; }));
    return box->text;
}

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

// A key pressed and released on the keyboard: it goes to the foreground
// thread and reaches whichever window has the focus when it is fetched.
void type_key(WORD key) {
    INPUT keys[2]{};
    for (INPUT& input : keys) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

TEST(Buttons, EveryRowAppliesAndRestoresItsOwnPack) {
    test_support::TempDirectory game;
    ASSERT_TRUE(game.make_directory("Game"));
    const std::string stock = bytes_of(packs::stock_manifest());
    const std::string manifest_path = game.path() + std::string(packs::kManifestSuffix);
    ASSERT_TRUE(test_support::write_whole_file(manifest_path, stock));

    driver::Tool tool = driver::start_tool();
    driver::set_game_directory(tool, game.path());
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
            type_key(key);
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

// The ids of an entry's "修改" and "恢复"; the row's "修改" comes right before
// its "恢复".
std::pair<std::uint32_t, std::uint32_t> row_buttons(int entry) {
    for (std::size_t i = 0; i + 1 < ui::kControls.size(); ++i) {
        if (ui::kControls[i].binding.operation == ui::Operation::kApplyEntry && ui::kControls[i].binding.entry == entry)
            return {ui::kControls[i].id, ui::kControls[i + 1].id};
    }
    ADD_FAILURE() << "no row for entry " << entry;
    return {};
}

// What a game update or another tool put in the list survives every press;
// the list the game had is kept once.
TEST(Buttons, TheGamesOwnListSurvivesApplyAndRestore) {
    const std::string updated = bytes_of(packs::stock_manifest()) + "\r\nKalista.zip\r\nMyOwnSkins.zip";
    const auto name = [](int entry) { return std::string(packs::catalogue_entry(entry).pack_file_name); };
    test_support::TempDirectory game;
    ASSERT_TRUE(game.make_directory("Game"));
    const std::string list_path = game.path() + std::string(packs::kManifestSuffix);
    ASSERT_TRUE(test_support::write_whole_file(list_path, updated));

    driver::Tool tool = driver::start_tool();
    driver::set_game_directory(tool, game.path());
    struct Press { std::uint32_t id; std::string box, list_after; };
    const Press presses[] = {
        {row_buttons(6).first, packs::apply_message(), updated + "\r\n" + name(6)},
        {row_buttons(1).first, packs::apply_message(), updated + "\r\n" + name(1)},
        {row_buttons(1).second, std::string(packs::kRestoreMessage), updated},
    };
    for (const Press& p : presses) {
        EXPECT_EQ(press(tool, p.id), p.box);
        EXPECT_EQ(test_support::read_whole_file(list_path), p.list_after);
    }
    EXPECT_EQ(test_support::read_whole_file(list_path + ".bak"), updated);
    EXPECT_TRUE(file_missing(list_path + ".bak2")) << "kept once";
    EXPECT_EQ(driver::close_and_wait(tool), 0u);
}

// A virus scanner: holds the file it is given for half a second.
DWORD WINAPI let_go_after_500_ms(void* held) {
    Sleep(500);
    static_cast<win32::UniqueFile*>(held)->reset();
    return 0;
}

// What the player sees when something stands in the way, through the real
// program: a file held by the game or its launcher ends in a box that says
// what happened and what to do; a list the game rewrote between presses is
// kept as well, and what a killed run left in Game is cleared.
TEST(Buttons, LockedFilesAndGameListsEndInBoxesThatSayWhatHappened) {
    const int entry = 1;
    const auto [apply_id, restore_id] = row_buttons(entry);
    const std::string stock = bytes_of(packs::stock_manifest());
    const std::string applied = bytes_of(packs::catalogue_entry(entry).manifest);
    const std::string first_list = "Aatrox.zip\r\nAzir.zip", updated_list = first_list + "\r\nAhri2017.zip";

    enum class Lock { kNone, kArchive, kList, kListForAMoment };
    struct Case {
        const char* what;
        std::string list_before;
        Lock lock;
        std::uint32_t press;
        std::string_view box_starts;  // then the path of the locked file, or the whole text
        std::string list_after;
        bool archive_after;
    };
    const Case cases[] = {
        {"restore while the game holds the archive", applied, Lock::kArchive, restore_id,
         packs::kArchiveDeleteFailedListRestored, stock, true},
        // The archive is written first; unlisted, the game ignores it.
        {"apply while the launcher holds the list", stock, Lock::kList, apply_id, packs::kManifestReadFailed, stock,
         true},
        {"restore after the game rewrote its list", updated_list, Lock::kNone, restore_id, packs::kRestoreMessage,
         updated_list, false},
        // A virus scanner lets go after half a second: the program waits for it.
        {"restore while a scanner holds the list for 500 ms", applied, Lock::kListForAMoment, restore_id,
         packs::kRestoreMessage, stock, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test_support::TempDirectory game;
        ASSERT_TRUE(game.make_directory("Game"));
        const std::string list_path = game.path() + std::string(packs::kManifestSuffix);
        const std::string archive_path =
            game.path() + std::string(packs::kPackFolderSuffix) + std::string(packs::catalogue_entry(entry).pack_file_name);
        const std::string backup_path = game.path() + std::string(packs::kManifestBackupSuffix);
        if (c.lock != Lock::kList) { ASSERT_TRUE(test_support::write_whole_file(archive_path, "PK old archive")); }
        const std::string stale_path = game.path() + "\\Game\\skp1a2b.tmp";
        if (c.lock == Lock::kNone) {
            ASSERT_TRUE(test_support::write_whole_file(backup_path, first_list));
            ASSERT_TRUE(test_support::write_whole_file(stale_path, "half of an archive"));
        }
        ASSERT_TRUE(test_support::write_whole_file(list_path, c.list_before));

        driver::Tool tool = driver::start_tool();
        driver::set_game_directory(tool, game.path());
        std::string text;
        {
            const std::string& locked = c.lock == Lock::kArchive ? archive_path : list_path;
            win32::UniqueFile lock(c.lock == Lock::kNone ? INVALID_HANDLE_VALUE
                                                          : CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr,
                                                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            ASSERT_EQ(static_cast<bool>(lock), c.lock != Lock::kNone);
            const win32::UniqueKernelHandle scanner(
                c.lock == Lock::kListForAMoment ? CreateThread(nullptr, 0, let_go_after_500_ms, &lock, 0, nullptr)
                                                  : nullptr);
            const ULONGLONG pressed = GetTickCount64();
            text = press(tool, c.press);
            if (scanner) WaitForSingleObject(scanner.get(), INFINITE);
            std::cout << "[ figure   ] " << c.what << ": the box came after " << GetTickCount64() - pressed << " ms\n";
            if (c.lock == Lock::kArchive || c.lock == Lock::kList) {
                EXPECT_EQ(text.rfind(std::string(c.box_starts) + "\r\n" + locked + "\r\n", 0), 0u) << text;
                EXPECT_EQ(text.substr(text.rfind('\n') + 1), packs::kAccessRemedy) << text;
            } else {
                EXPECT_EQ(text, c.box_starts);
            }
        }
        EXPECT_EQ(test_support::read_whole_file(list_path), c.list_after);
        EXPECT_EQ(!file_missing(archive_path), c.archive_after);
        if (c.lock == Lock::kNone) {
            EXPECT_EQ(test_support::read_whole_file(backup_path), first_list) << "never overwritten";
            EXPECT_EQ(test_support::read_whole_file(backup_path + "2"), updated_list);
            EXPECT_TRUE(file_missing(stale_path));
        }
        EXPECT_EQ(driver::close_and_wait(tool), 0u);
    }
}

}  // namespace
