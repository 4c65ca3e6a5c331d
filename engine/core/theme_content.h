#pragma once
// Parser of the decoded theme content (format documented in THEME_FORMAT.md).
// It reads only the bytes it is given and accepts nothing half-valid.
#include <cstddef>

#include "engine/core/theme.h"

namespace engine {

inline constexpr unsigned char kContentMagic[4] = {'S', 'K', 'T', 'H'};
inline constexpr unsigned kContentVersion = 1;

// Fills `theme` and returns true only when the whole content is well formed;
// `theme` is left untouched otherwise.
bool parse_theme_content(const unsigned char* content, std::size_t size, Theme& theme);

}  // namespace engine
