#include "theme/theme_table.h"

// Symbols emitted by embed_byte_sets in this folder's CMakeLists.
extern "C" const unsigned char theme_engine_file[];
extern "C" const unsigned char theme_01[], theme_02[], theme_03[], theme_04[], theme_05[],
    theme_06[], theme_07[], theme_08[], theme_09[], theme_10[], theme_11[], theme_12[],
    theme_13[], theme_14[], theme_15[], theme_16[], theme_17[], theme_18[], theme_19[],
    theme_20[], theme_21[], theme_22[], theme_23[], theme_24[], theme_25[], theme_26[],
    theme_27[], theme_28[], theme_29[], theme_30[], theme_31[], theme_32[], theme_33[];

namespace theme {
namespace {

const unsigned char* const kStoredThemes[kThemeCount] = {
    theme_01, theme_02, theme_03, theme_04, theme_05, theme_06, theme_07, theme_08, theme_09,
    theme_10, theme_11, theme_12, theme_13, theme_14, theme_15, theme_16, theme_17, theme_18,
    theme_19, theme_20, theme_21, theme_22, theme_23, theme_24, theme_25, theme_26, theme_27,
    theme_28, theme_29, theme_30, theme_31, theme_32, theme_33,
};

}  // namespace

const unsigned char* stored_theme(int number) {
    if (number < 1 || number > kThemeCount) return nullptr;
    return kStoredThemes[number - 1];
}

runtime::ByteSet engine_file_bytes() { return runtime::stored_byte_set(theme_engine_file); }

}  // namespace theme
