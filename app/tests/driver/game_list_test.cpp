// The game's archive list through the real program: what a game update or
// another tool listed survives every press, and a file held by the game, its
// launcher or a virus scanner ends in a box that says what happened, or is
// waited for when it is let go soon.
#include <windows.h>

#include <iostream>
#include <string>

#include <gtest/gtest.h>

#include "app/tests/driver/presses.h"
#include "app/tests/driver/tool.h"
#include "packs/catalogue.h"
#include "packs/manifest.h"
#include "packs/messages.h"
#include "tests/support/temp_directory.h"
#include "win32/unique_handle.h"

namespace {

using driver::bytes_of;
using driver::file_missing;
using driver::press;
using driver::row_buttons;

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
        // The list is read before anything is written: no archive either.
        {"apply while the launcher holds the list", stock, Lock::kList, apply_id, packs::kManifestReadFailed, stock,
         false},
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
