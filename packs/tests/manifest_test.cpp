// The list an operation writes, from the list that is there: the game's own
// lines survive, the catalogue's pack names are replaced, and a game with the
// stock list gets exactly the catalogue's bytes.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "game_folder.h"
#include "packs/catalogue.h"
#include "packs/manifest.h"

namespace packs_test {
namespace {

std::string name(int number) { return std::string(packs::catalogue_entry(number).pack_file_name); }
std::string stock() { return bytes_of(packs::stock_manifest()); }

// In a list, "@" stands for another entry's pack name, "$" for the same in
// capitals (".ZIP"), "#" for the entry's own.
std::string with_names(std::string list, int number) {
    const int other = number % packs::kEntryCount + 1;
    for (std::size_t at; (at = list.find_first_of("@$#")) != std::string::npos;) {
        std::string pack = name(list[at] == '#' ? number : other);
        if (list[at] == '$') pack.replace(pack.size() - 4, 4, ".ZIP");
        list.replace(at, 1, pack);
    }
    return list;
}

TEST(ManifestToWrite, KeepsTheGamesLinesAndReplacesThePacks) {
    const std::string updated = stock() + "\r\nKalista.zip\r\nMyOwnSkins.zip";
    struct Row {
        const char* what;
        std::optional<std::string> list;
        std::string kept;  // the lines written before an apply's pack name; "" for the fallback
        bool backed_up;
    };
    const Row rows[] = {
        {"no list", std::nullopt, "", false},
        {"stock", stock(), stock(), false},
        {"stock + another pack", stock() + "\r\n@", stock(), false},
        {"stock + its own pack (applied twice)", stock() + "\r\n#", stock(), false},
        {"updated by the game", updated, updated, true},
        {"updated, with a pack", updated + "\r\n@", updated, false},
        {"LF line ends and a final one", "Aatrox.zip\nKalista.zip\n", "Aatrox.zip\r\nKalista.zip", true},
        {"blank lines", "\r\n\r\nAatrox.zip\r\n\r\n\nKalista.zip\r\n\r\n", "Aatrox.zip\r\nKalista.zip", true},
        {"a pack line mid-list", "Aatrox.zip\r\n@\r\nKalista.zip", "Aatrox.zip\r\nKalista.zip", false},
        {"a pack name in other letters", "Kalista.zip\r\n$", "Kalista.zip", false},
        {"a CR that ends no line stays", "Aatrox.zip\rKalista.zip", "Aatrox.zip\rKalista.zip", true},
        {"only a pack line", "@", "", false},
        {"only blank lines", "\r\n\n", "", true},
        {"empty", "", "", true},
        {"a zero byte", std::string("Aatrox.zip\r\nKal\0ista.zip\r\n@", 28), "", true},
    };
    for (const Row& row : rows) {
        for (int number = 1; number <= packs::kEntryCount; ++number) {
            SCOPED_TRACE(std::string(row.what) + ", entry " + std::to_string(number));
            const packs::CatalogueEntry& entry = packs::catalogue_entry(number);
            std::optional<std::string> list = row.list;
            if (list) list = with_names(*list, number);
            const std::string kept = with_names(row.kept, number);

            const std::string applied = packs::manifest_to_write(list, entry.manifest, entry.pack_file_name);
            const std::string restored = packs::manifest_to_write(list, packs::stock_manifest(), {});
            EXPECT_EQ(applied, kept.empty() ? bytes_of(entry.manifest) : kept + "\r\n" + name(number));
            EXPECT_EQ(restored, kept.empty() ? stock() : kept);
            if (kept == stock()) {
                EXPECT_EQ(applied, bytes_of(entry.manifest)) << "byte for byte the catalogue's";
            }
            if (list) { EXPECT_EQ(!packs::is_program_manifest(*list), row.backed_up); }
        }
    }
}

}  // namespace
}  // namespace packs_test
