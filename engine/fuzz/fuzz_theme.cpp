// libFuzzer target: any bytes as a theme container, through the same checks
// and decoder the engine runs inside the program. Built natively by this
// folder's CMake project (scripts/engine-fuzz.sh) with AddressSanitizer, so a
// read past the input or a write past an allocation stops the run.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/core/load_theme.h"
#include "engine/core/theme_content.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy, so the sanitizer sees the end of the buffer.
    const std::vector<std::uint8_t> bytes(data, data + size);
    engine::Theme theme;
    engine::load_theme(bytes.empty() ? nullptr : bytes.data(), bytes.size(), theme);
    // The content parser on its own too: most random inputs never get past
    // the container header to reach it.
    engine::parse_theme_content(bytes.empty() ? nullptr : bytes.data(), bytes.size(), theme);
    return 0;
}
