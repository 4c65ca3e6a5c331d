#pragma once
// The 33 interface themes and the engine's file, carried in the executable's
// read-only data as byte-set constants.
#include "generated/theme_count.h"
#include "runtime/byte_set.h"

namespace theme {

inline constexpr int kThemeCount = themes::kCount;

// Theme n (1..kThemeCount) in its stored layout: the 8-byte head (1, length), then the
// bytes. Null for any other number.
const unsigned char* stored_theme(int number);

// The engine's DLL exactly as it is written beside the executable.
runtime::ByteSet engine_file_bytes();

}  // namespace theme
