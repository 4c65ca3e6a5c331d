#include "packs/manifest.h"

#include "packs/catalogue.h"

namespace packs {

namespace {

std::string_view view(runtime::ByteSet bytes) {
    return {reinterpret_cast<const char*>(bytes.data), bytes.size};
}

}  // namespace

bool is_program_manifest(std::string_view bytes) {
    if (bytes == view(stock_manifest())) return true;
    for (int number = 1; number <= kEntryCount; ++number)
        if (bytes == view(catalogue_entry(number).manifest)) return true;
    return false;
}

}  // namespace packs
