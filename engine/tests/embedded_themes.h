#pragma once
// The 33 theme containers, linked into the test programs as byte-set constants.
#include "engine/tests/theme_bytes.h"

namespace engine_test {

inline constexpr int kThemeCount = 33;

// The container of theme n (1..33).
Bytes theme_container(int n);

}  // namespace engine_test
