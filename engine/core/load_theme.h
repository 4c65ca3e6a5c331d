#pragma once
// From container bytes to a usable theme: the whole check, nothing kept of the input.
#include <cstddef>

#include "engine/attach_result.h"
#include "engine/core/theme.h"

namespace engine {

AttachResult load_theme(const unsigned char* data, std::size_t size, Theme& theme);

}  // namespace engine
