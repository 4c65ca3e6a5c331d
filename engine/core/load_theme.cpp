#include "engine/core/load_theme.h"

#include "engine/core/container.h"
#include "engine/core/theme_content.h"

namespace engine {

AttachResult load_theme(const unsigned char* data, std::size_t size, Theme& theme) {
    Content content;
    const AttachResult result = decode_container(data, size, content);
    if (result != kAttached) return result;
    if (!parse_theme_content(content.bytes.get(), content.size, theme)) return kBadThemeContent;
    return kAttached;
}

}  // namespace engine
