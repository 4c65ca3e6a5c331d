// The catalogue as built into the program, with its embedded archives.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "game_folder.h"
#include "packs/catalogue.h"
#include "packs/manifest.h"
#include "packs/messages.h"
#include "packs/operation_core.h"
#include "testing/temp_directory.h"

namespace packs_test {
namespace {

struct Expected {
    int number;
    int page;
    const char* label;
    const char* pack_file_name;
};

// As the main window lists them. Labels keep their inner spaces, and several
// labels say something else than the file name.
constexpr Expected kExpected[] = {
    {1, 1, "电玩安妮", "电玩安妮.zip"},         {2, 1, "电玩赏金女神", "电玩电玩女神.zip"},
    {3, 1, "电玩 诺克", "电玩诺克.zip"},        {4, 1, "电玩暗夜猎手", "电玩暗夜猎手.zip"},
    {5, 1, "电玩 盖伦", "电玩盖伦.zip"},        {6, 1, "电玩 人马", "电玩人马.zip"},
    {7, 1, "电玩九尾狐", "电玩九尾妖狐阿狸.zip"}, {8, 1, "电玩拉克丝", "电玩拉克丝.zip"},
    {9, 1, "电玩 瑞文", "电玩瑞文.zip"},        {10, 1, "电玩 探险家", "电玩探险家伊泽瑞尔.zip"},
    {11, 1, "电玩 库奇", "电玩英勇投弹手库奇.zip"}, {12, 1, "电玩 战争女神", "电玩战争女神.zip"},
    {13, 2, "源计划 艾克", "源计划艾克.zip"},    {14, 2, "源计划 雷", "源计划雷.zip"},
    {15, 2, "源计划 火", "源计划火.zip"},        {16, 2, "源计划 林", "源计划林.zip"},
    {17, 2, "源计划 亚索", "源计划亚索.zip"},
};

TEST(Catalogue, EntriesAsTheWindowListsThem) {
    for (const Expected& e : kExpected) {
        const packs::CatalogueEntry& entry = packs::catalogue_entry(e.number);
        EXPECT_EQ(entry.label, e.label) << e.number;
        EXPECT_EQ(entry.page, e.page) << e.number;
        EXPECT_EQ(entry.pack_file_name, e.pack_file_name) << e.number;
    }
}

TEST(Catalogue, StockManifest) {
    const std::string stock = bytes_of(packs::stock_manifest());
    EXPECT_EQ(stock.size(), 667u);
    EXPECT_EQ(stock.rfind("Aatrox.zip\r\nAzir.zip\r\n", 0), 0u);
    EXPECT_TRUE(stock.ends_with("\r\nParticleTextrues4.zip\r\nYasuo.zip"));
    std::size_t lines = 1;
    for (std::size_t at = stock.find("\r\n"); at != std::string::npos; at = stock.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 34u);
    EXPECT_EQ(stock.find('\0'), std::string::npos);
}

TEST(Catalogue, PackManifestIsStockThenThePackName) {
    const std::string stock = bytes_of(packs::stock_manifest());
    for (int number = 1; number <= packs::kEntryCount; ++number) {
        const packs::CatalogueEntry& entry = packs::catalogue_entry(number);
        const std::string manifest = bytes_of(entry.manifest);
        EXPECT_EQ(manifest, stock + "\r\n" + std::string(entry.pack_file_name)) << number;
        EXPECT_EQ(manifest.size(), 669 + entry.pack_file_name.size()) << number;
        EXPECT_TRUE(packs::is_program_manifest(manifest)) << number;
    }
    EXPECT_EQ(packs::catalogue_entry(1).manifest.size, 681u);
    EXPECT_EQ(packs::catalogue_entry(10).manifest.size, 691u);
    EXPECT_EQ(packs::catalogue_entry(11).manifest.size, 691u);
}

TEST(Catalogue, NamesAndArchivesAreDistinct) {
    const std::string stock = "\r\n" + bytes_of(packs::stock_manifest()) + "\r\n";
    std::set<std::string_view> names;
    for (int number = 1; number <= packs::kEntryCount; ++number) {
        const packs::CatalogueEntry& entry = packs::catalogue_entry(number);
        names.insert(entry.pack_file_name);
        EXPECT_EQ(stock.find("\r\n" + std::string(entry.pack_file_name) + "\r\n"), std::string::npos);
        // Same size and same bytes would mean one archive embedded twice.
        for (int other_number = number + 1; other_number <= packs::kEntryCount; ++other_number) {
            const packs::CatalogueEntry& other = packs::catalogue_entry(other_number);
            EXPECT_FALSE(entry.archive.data == other.archive.data ||
                         (entry.archive.size == other.archive.size &&
                          bytes_of(entry.archive) == bytes_of(other.archive)))
                << number << " and " << other_number;
        }
    }
    EXPECT_EQ(names.size(), 17u);
}

TEST(Catalogue, EmbeddedArchivesHaveTheCatalogueSizes) {
    std::uint64_t total = 0;
    std::uint32_t largest = 0, smallest = UINT32_MAX;
    int largest_number = 0, smallest_number = 0;
    for (int number = 1; number <= packs::kEntryCount; ++number) {
        const runtime::ByteSet archive = packs::catalogue_entry(number).archive;
        EXPECT_EQ(archive.size, packs::catalogue_archive_size(number)) << number;
        ASSERT_GE(archive.size, 22u);
        EXPECT_EQ(bytes_of(archive).substr(0, 4), "PK\x03\x04") << number;
        total += archive.size;
        if (archive.size > largest) largest = archive.size, largest_number = number;
        if (archive.size < smallest) smallest = archive.size, smallest_number = number;
    }
    EXPECT_EQ(total, 106'153'006u);
    EXPECT_EQ(largest_number, 16);
    EXPECT_EQ(largest, 35'455'964u);
    EXPECT_EQ(smallest_number, 8);
    EXPECT_EQ(smallest, 477'886u);
}

// The embedded bytes themselves reach the file, the largest and the smallest.
TEST(Catalogue, ApplyWritesTheEmbeddedArchive) {
    for (int number : {16, 8}) {
        GameFolder game;
        const packs::CatalogueEntry& entry = packs::catalogue_entry(number);
        packs::apply_pack_files({entry.pack_file_name, entry.archive, entry.manifest},
                                captured_hooks());
        EXPECT_EQ(test_support::read_whole_file(game.game_path(entry.pack_file_name)),
                  bytes_of(entry.archive)) << number;
        EXPECT_EQ(test_support::read_whole_file(game.manifest_path()), bytes_of(entry.manifest));
        EXPECT_EQ(Captured::messages, (std::vector<std::string>{packs::apply_message()}));
    }
}

}  // namespace
}  // namespace packs_test
