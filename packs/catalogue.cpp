#include "packs/catalogue.h"

#include <array>

#include "packs/catalogue_row.h"
#include "runtime/fatal_error.h"

#include "generated/packs/catalogue_table.inc"

namespace packs {

namespace {

const std::array<CatalogueEntry, kEntryCount>& entries() {
    static const std::array<CatalogueEntry, kEntryCount> all = [] {
        std::array<CatalogueEntry, kEntryCount> built{};
        for (int i = 0; i < kEntryCount; ++i) {
            const CatalogueRow& row = kCatalogueRows[i];
            built[i] = CatalogueEntry{kEntryRows[i].label, kEntryRows[i].page, row.pack_file_name,
                                      runtime::stored_byte_set(row.stored_archive),
                                      runtime::stored_byte_set(row.stored_manifest)};
        }
        return built;
    }();
    return all;
}

int checked_index(int number) {
    if (number < 1 || number > kEntryCount)
        runtime::fatal_error(0, "皮肤包编号超出范围");
    return number - 1;
}

}  // namespace

const CatalogueEntry& catalogue_entry(int number) { return entries()[checked_index(number)]; }

runtime::ByteSet stock_manifest() { return runtime::stored_byte_set(stock_manifest_bytes); }

std::uint32_t catalogue_archive_size(int number) {
    return kCatalogueRows[checked_index(number)].archive_size;
}

}  // namespace packs
