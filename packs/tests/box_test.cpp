// The program's own path: apply_pack and restore_pack over the catalogue,
// ending in a real task-modal box titled "提示", closed by a watcher thread.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "game_folder.h"
#include "packs/catalogue.h"
#include "packs/entry_buttons.h"
#include "packs/messages.h"
#include "win32/unique_handle.h"
#include "tests/support/box_watcher.h"

namespace packs_test {
namespace {

std::optional<test_support::MessageBoxSeen> g_seen;

DWORD WINAPI close_the_box(void*) {
    g_seen = test_support::wait_for_message_box(GetCurrentProcessId(), 10000);
    if (g_seen) test_support::close_message_box(*g_seen);
    return 0;
}

// Runs the operation on this thread while another one answers its box.
test_support::MessageBoxSeen box_of(void (*operation)(int, packs::GameDirectoryReader), int number) {
    g_seen.reset();
    const win32::UniqueKernelHandle watcher(CreateThread(nullptr, 0, close_the_box, nullptr, 0, nullptr));
    EXPECT_TRUE(watcher);
    operation(number, read_captured_game_directory);
    WaitForSingleObject(watcher.get(), 15000);
    EXPECT_TRUE(g_seen.has_value()) << "no message box appeared";
    return g_seen.value_or(test_support::MessageBoxSeen{});
}

TEST(Box, ApplyAndRestoreEndInABoxTitledTiShi) {
    GameFolder game;
    const packs::CatalogueEntry& entry = packs::catalogue_entry(8);

    const test_support::MessageBoxSeen applied = box_of(packs::apply_pack, 8);
    EXPECT_EQ(applied.title, "提示");
    EXPECT_EQ(applied.text, packs::apply_message());
    EXPECT_EQ(applied.owner, nullptr);
    EXPECT_EQ(test_support::read_whole_file(game.game_path(entry.pack_file_name)), bytes_of(entry.archive));

    const test_support::MessageBoxSeen restored = box_of(packs::restore_pack, 8);
    EXPECT_EQ(restored.title, "提示");
    EXPECT_EQ(restored.text, "删除成功");
    EXPECT_EQ(game.game_files(), (std::vector<std::string>{"ClientZips.txt"}));

    Captured::game_directory.clear();
    EXPECT_EQ(box_of(packs::apply_pack, 8).text, "没找到路径");
}

}  // namespace
}  // namespace packs_test
