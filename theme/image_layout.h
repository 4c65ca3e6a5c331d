#pragma once
#include <windows.h>

#include <string_view>

#include "runtime/byte_set.h"

namespace theme {

// What an open file holds, judged by its PE headers alone: nothing is loaded.
enum class ImageLayout {
    kWhole,     // headers that parse, every section's bytes inside the file
    kCut,       // no PE headers, or sections running past the end
    kUnread,    // a read failed: nothing can be said
};

ImageLayout image_layout(HANDLE file);

// Whether the file is a whole image whose version resource gives `product` as
// its ProductName. False for any other file, and for one that cannot be read.
bool names_product(HANDLE file, std::u16string_view product);

// Whether the file holds exactly `bytes`; its size is compared first, so a
// file of another size costs no read. False when a read fails.
bool holds_exactly(HANDLE file, runtime::ByteSet bytes);

}  // namespace theme
