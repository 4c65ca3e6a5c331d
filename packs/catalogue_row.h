#pragma once
// One row of the generated catalogue table (generated/packs/catalogue_table.inc).
#include <cstdint>
#include <string_view>

namespace packs {

struct CatalogueRow {
    std::string_view pack_file_name;
    std::uint32_t archive_size;
    const unsigned char* stored_archive;   // byte-set constants in their stored layout
    const unsigned char* stored_manifest;
};

}  // namespace packs
