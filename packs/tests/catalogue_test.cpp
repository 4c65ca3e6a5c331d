// The catalogue as built into the program, with its embedded archives.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "game_folder.h"
#include "packs/catalogue.h"
#include "packs/manifest.h"
#include "packs/messages.h"
#include "packs/pack_operations.h"
#include "tests/support/temp_directory.h"

namespace packs_test {
namespace {

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
        EXPECT_TRUE(packs::is_program_manifest(manifest)) << number;
    }
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
    EXPECT_EQ(names.size(), static_cast<std::size_t>(packs::kEntryCount));
}

TEST(Catalogue, EmbeddedArchivesHaveTheCatalogueSizes) {
    for (int number = 1; number <= packs::kEntryCount; ++number) {
        const runtime::ByteSet archive = packs::catalogue_entry(number).archive;
        EXPECT_EQ(archive.size, packs::catalogue_archive_size(number)) << number;
        ASSERT_GE(archive.size, 22u);
        EXPECT_EQ(bytes_of(archive).substr(0, 4), "PK\x03\x04") << number;
    }
}

// The embedded bytes themselves reach the file, the largest and the smallest.
TEST(Catalogue, ApplyWritesTheEmbeddedArchive) {
    int largest = 1, smallest = 1;
    for (int number = 2; number <= packs::kEntryCount; ++number) {
        const std::uint32_t size = packs::catalogue_archive_size(number);
        if (size > packs::catalogue_archive_size(largest)) largest = number;
        if (size < packs::catalogue_archive_size(smallest)) smallest = number;
    }
    for (int number : {largest, smallest}) {
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
