#pragma once
// The skin packs the program carries, in the order of the main window, and
// the manifest texts the operations write. All of it is constant data in the
// executable's read-only section: views, never copies.
#include <cstdint>
#include <string_view>

#include "generated/packs/entry_rows.h"
#include "runtime/byte_set.h"

namespace packs {

struct CatalogueEntry {            // entry numbers 1..kEntryCount in the catalogue's order
    std::string_view label;        // GBK, shown by the row's transparent label
    int page;                      // 1..kPageCount
    std::string_view pack_file_name;
    runtime::ByteSet archive;
    runtime::ByteSet manifest;
};

// number 1..kEntryCount; anything else is a programming error (fatal).
const CatalogueEntry& catalogue_entry(int number);

// The game's own archive list.
runtime::ByteSet stock_manifest();

// The archive size the catalogue fixes for an entry (the build checked the
// embedded archive against it; an archive-less build embeds none).
std::uint32_t catalogue_archive_size(int number);

}  // namespace packs
