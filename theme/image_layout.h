#pragma once
#include <windows.h>

namespace theme {

// What an open file holds, judged by its PE headers alone: nothing is loaded.
enum class ImageLayout {
    kWhole,     // headers that parse, every section's bytes inside the file
    kCut,       // no PE headers, or sections running past the end
    kUnread,    // a read failed: nothing can be said
};

ImageLayout image_layout(HANDLE file);

}  // namespace theme
