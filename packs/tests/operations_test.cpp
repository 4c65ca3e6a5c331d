// The apply and restore steps on a temporary game folder: what lands in Game,
// byte for byte, and what the user is told.
#include <gtest/gtest.h>

#include <string>

#include "game_folder.h"
#include "packs/catalogue.h"
#include "packs/messages.h"
#include "packs/pack_operations.h"
#include "tests/support/temp_directory.h"

namespace packs_test {
namespace {

// Archives of the tests' own; the manifests are the program's.
std::string test_archive(int number) {
    std::string bytes = "PK\x03\x04 stand-in archive of entry " + std::to_string(number);
    bytes.append(number * 1000, static_cast<char>('a' + number));
    return bytes;
}

struct Pack {
    std::string archive;
    packs::PackFiles files;
};

Pack pack(int number) {
    Pack p{test_archive(number), {}};
    const packs::CatalogueEntry& entry = packs::catalogue_entry(number);
    p.files = packs::PackFiles{entry.pack_file_name, byte_set(p.archive), entry.manifest};
    return p;
}

void apply(const Pack& p) { packs::apply_pack_files(p.files, captured_hooks()); }
void restore(int number) {
    packs::restore_pack_files(packs::catalogue_entry(number).pack_file_name, packs::stock_manifest(),
                              captured_hooks());
}
std::string manifest_of(int number) { return bytes_of(packs::catalogue_entry(number).manifest); }
std::string stock() { return bytes_of(packs::stock_manifest()); }
std::string name_of(int number) { return std::string(packs::catalogue_entry(number).pack_file_name); }

TEST(Apply, WritesArchiveAndManifestByteForByte) {
    // Entry 10 has one of the two longest names; entry 3 a label with a space.
    for (int number : {3, 10}) {
        GameFolder game;
        const Pack p = pack(number);
        apply(p);
        EXPECT_EQ(read_whole_file(game.game_path(name_of(number))), p.archive);
        EXPECT_EQ(read_whole_file(game.manifest_path()), manifest_of(number));
        ASSERT_EQ(Captured::messages.size(), 1u);
        EXPECT_EQ(Captured::messages[0], packs::apply_message());
        EXPECT_EQ(game.game_files(), (std::vector<std::string>{"ClientZips.txt", name_of(number)}))
            << "no temporary file is left";
        EXPECT_EQ(expect_every_move_follows_a_flush(), 2u) << "the archive, then the list";
    }
}

TEST(Apply, MessageNamesTheChatGroup) {
    EXPECT_EQ(packs::apply_message(),
              "修改成功,如果修改成功进游戏没有加载\r\nQQ463218095,群里有皮肤包和替换工具");
}

TEST(Apply, ReplacesAnyEarlierManifestWhole) {
    GameFolder game;
    // A longer list of this program's (entry 11's name is 22 bytes, entry 3's 12).
    ASSERT_TRUE(write_whole_file(game.manifest_path(), manifest_of(11)));
    apply(pack(3));
    EXPECT_EQ(read_whole_file(game.manifest_path()), manifest_of(3));
    EXPECT_FALSE(read_whole_file(game.game_path("ClientZips.txt.bak"))) << "ours needs no backup";
}

TEST(Apply, TwiceWritesTheSameBytes) {
    GameFolder game;
    apply(pack(5));
    apply(pack(5));
    EXPECT_EQ(read_whole_file(game.game_path(name_of(5))), test_archive(5));
    EXPECT_EQ(read_whole_file(game.manifest_path()), manifest_of(5));
    EXPECT_EQ(Captured::messages.size(), 2u);
}

TEST(Apply, AThenBKeepsBothArchivesAndListsOnlyB) {
    GameFolder game;
    apply(pack(1));
    apply(pack(13));
    EXPECT_EQ(read_whole_file(game.game_path(name_of(1))), test_archive(1));
    EXPECT_EQ(read_whole_file(game.game_path(name_of(13))), test_archive(13));
    EXPECT_EQ(read_whole_file(game.manifest_path()), manifest_of(13));
}

TEST(Apply, TrailingBackslashGivesADoubledOneThatStillWorks) {
    GameFolder game;
    Captured::game_directory = game.directory() + "\\";
    apply(pack(7));
    EXPECT_EQ(read_whole_file(game.game_path(name_of(7))), test_archive(7));
    EXPECT_EQ(read_whole_file(game.manifest_path()), manifest_of(7));
    EXPECT_EQ(Captured::messages.back(), packs::apply_message());
}

// Without a Game folder nothing is created anywhere, and the user hears why
// instead of a success message.
TEST(Apply, MissingGameFolderIsReportedAndCreatesNothing) {
    GameFolder game(false);
    apply(pack(2));
    EXPECT_EQ(GetFileAttributesA((game.directory() + "\\Game").c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_EQ(Captured::messages.size(), 1u);
    const std::string& message = Captured::messages[0];
    EXPECT_EQ(message.rfind(packs::kArchiveWriteFailed, 0), 0u) << message;
    EXPECT_NE(message.find("\r\n" + game.game_path(name_of(2)) + "\r\n"), std::string::npos);
    EXPECT_NE(message.find("错误代码"), std::string::npos);
}

// Empty path field: the bare suffixes would write to the root of the current
// drive. Nothing is written, and the user is told there is no path.
TEST(Operations, EmptyGameDirectoryIsRefusedWithoutWriting) {
    for (bool applying : {true, false}) {
        GameFolder game;
        Captured::game_directory.clear();
        if (applying) apply(pack(4)); else restore(4);
        EXPECT_EQ(Captured::messages, (std::vector<std::string>{"没找到路径"}));
        EXPECT_EQ(Captured::writes, 0);
        EXPECT_EQ(GetFileAttributesA("\\Game\\ClientZips.txt"), INVALID_FILE_ATTRIBUTES);
    }
}

TEST(Restore, DeletesTheArchiveAndWritesTheStockManifest) {
    GameFolder game;
    apply(pack(6));
    Captured::steps.clear();
    restore(6);
    EXPECT_EQ(expect_every_move_follows_a_flush(), 1u) << "the list";
    EXPECT_EQ(game.game_files(), (std::vector<std::string>{"ClientZips.txt"}));
    EXPECT_EQ(read_whole_file(game.manifest_path()), stock());
    EXPECT_EQ(Captured::messages.back(), "删除成功");
}

TEST(Restore, AbsentArchiveOrManifestIsNoFailure) {
    struct Case { const char* what; bool archive; bool manifest; };
    for (const Case& c : {Case{"neither", false, false}, Case{"archive only", true, false},
                          Case{"manifest only", false, true}}) {
        GameFolder game;
        if (c.archive) {
            ASSERT_TRUE(write_whole_file(game.game_path(name_of(9)), test_archive(9)));
        }
        if (c.manifest) {
            ASSERT_TRUE(write_whole_file(game.manifest_path(), manifest_of(9)));
        }
        restore(9);
        EXPECT_EQ(read_whole_file(game.manifest_path()), stock()) << c.what;
        EXPECT_EQ(Captured::messages, (std::vector<std::string>{"删除成功"})) << c.what;
        EXPECT_EQ(game.game_files(), (std::vector<std::string>{"ClientZips.txt"})) << c.what;
    }
}

TEST(Restore, AWhileBIsAppliedKeepsBsArchiveButUnlistsIt) {
    GameFolder game;
    apply(pack(1));
    apply(pack(17));
    restore(1);
    EXPECT_FALSE(read_whole_file(game.game_path(name_of(1))));
    EXPECT_EQ(read_whole_file(game.game_path(name_of(17))), test_archive(17));
    EXPECT_EQ(read_whole_file(game.manifest_path()), stock());
}

TEST(Restore, ReplacesALongerManifestWhole) {
    GameFolder game;
    ASSERT_TRUE(write_whole_file(game.manifest_path(), manifest_of(10)));
    restore(10);
    EXPECT_EQ(read_whole_file(game.manifest_path()), stock());
}

}  // namespace
}  // namespace packs_test
