#include "theme/theme_table.h"

// Symbols emitted by embed_engine_file in this folder's CMakeLists; the
// themes' own, theme_01 ... in kThemeTable, come with the generated table.
extern "C" const unsigned char theme_engine_file[];
#include "generated/theme/stored_themes.inc"

namespace theme {

const unsigned char* stored_theme(int number) {
    if (number < 1 || number > kThemeCount) return nullptr;
    return kThemeTable[number - 1];
}

runtime::ByteSet engine_file_bytes() { return runtime::stored_byte_set(theme_engine_file); }

}  // namespace theme
