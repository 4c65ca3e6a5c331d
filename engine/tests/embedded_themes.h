#pragma once
// The 33 theme containers, linked into the test programs as byte-set constants.
#include "engine/tests/theme_bytes.h"
#include "generated/theme_count.h"

namespace engine_test {

inline constexpr int kThemeCount = themes::kCount;

// The container of theme n (1..kThemeCount).
Bytes theme_container(int n);

}  // namespace engine_test
