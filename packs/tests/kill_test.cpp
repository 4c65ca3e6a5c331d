// A run killed at any point of an apply of the largest pack or of a restore:
// the list is the old one or the new one, a list that names the pack names a
// whole archive, no partial backup exists, and the next press succeeds and
// leaves no temporary file behind.
#include <gtest/gtest.h>

#include <string>

#include "game_folder.h"
#include "kill_points.h"
#include "packs/catalogue.h"
#include "packs/messages.h"
#include "packs/pack_operations.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_directory.h"

namespace packs_test {
namespace {

constexpr DWORD kTimeoutMs = 60'000;
const std::string kForeignList = "Aatrox.zip\r\nAzir.zip";

std::string name() { return std::string(packs::catalogue_entry(kKilledEntry).pack_file_name); }
std::string pack_list() { return bytes_of(packs::catalogue_entry(kKilledEntry).manifest); }
const std::string& archive() { return largest_pack_stand_in(); }

void apply() {
    packs::apply_pack_files(packs::PackFiles{packs::catalogue_entry(kKilledEntry).pack_file_name,
                                             byte_set(archive()), packs::catalogue_entry(kKilledEntry).manifest},
                            captured_hooks());
}
void restore() { packs::restore_pack_files(name(), packs::stock_manifest(), captured_hooks()); }

TEST(Killed, AtEveryPointNothingThatMattersIsLost) {
    struct Case {
        const char* operation;
        std::string old_list, new_list;
        bool archive_before;
        std::vector<std::string> files_after;  // once the next press is done
    };
    const Case cases[] = {
        // Over the game's own list: the backup is written on the way.
        {"apply", kForeignList, kForeignList + "\r\n" + name(), false,
         {"ClientZips.txt", "ClientZips.txt.bak", name()}},
        {"restore", pack_list(), bytes_of(packs::stock_manifest()), true, {"ClientZips.txt"}},
    };
    const std::string helper = test_support::own_directory() + "\\packs_kill_helper.exe";
    for (const Case& c : cases) {
        const bool applying = std::string(c.operation) == "apply";
        int point = 1;
        for (;; ++point) {
            SCOPED_TRACE(std::string(c.operation) + " killed at point " + std::to_string(point));
            GameFolder game;
            ASSERT_TRUE(write_whole_file(game.manifest_path(), c.old_list));
            if (c.archive_before) { ASSERT_TRUE(write_whole_file(game.game_path(name()), archive())); }

            const test_support::ChildProcess child(helper, {c.operation, game.directory(), std::to_string(point)});
            const std::optional<DWORD> exit_code = child.wait(kTimeoutMs);
            ASSERT_TRUE(exit_code == 0u || exit_code == kKilled) << "exit code " << exit_code.value_or(~0u);

            const std::optional<std::string> list = read_whole_file(game.manifest_path());
            ASSERT_TRUE(list == c.old_list || list == c.new_list) << list.value_or("(no list)");
            if (list && list->find(name()) != std::string::npos) {
                EXPECT_TRUE(read_whole_file(game.game_path(name())) == archive()) << "a listed pack is whole";
            }
            if (const auto backup = read_whole_file(game.game_path("ClientZips.txt.bak"))) {
                EXPECT_EQ(*backup, kForeignList) << "a backup is whole or absent";
            }

            if (applying) apply(); else restore();
            EXPECT_EQ(Captured::messages,
                      (std::vector<std::string>{applying ? packs::apply_message() : std::string(packs::kRestoreMessage)}));
            EXPECT_EQ(read_whole_file(game.manifest_path()), c.new_list);
            if (applying) { EXPECT_TRUE(read_whole_file(game.game_path(name())) == archive()); }
            EXPECT_EQ(game.game_files(), c.files_after);
            if (exit_code == 0u) break;
        }
        // 9 chunks of the archive, the backup and the list, and the moves.
        EXPECT_GE(point, applying ? 29 : 7) << "every point was reached";
    }
}

}  // namespace
}  // namespace packs_test
