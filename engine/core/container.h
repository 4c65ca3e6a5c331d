#pragma once
// The theme container: ".SHE", 00 03, the content size (32-bit little-endian),
// five LZMA property bytes, then a raw LZMA stream with an end marker.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/attach_result.h"

namespace engine {

inline constexpr std::size_t kContainerHeaderSize = 15;
// Real themes are a few hundred bytes to a few hundred kilobytes; anything this
// large is a damaged header, and refusing it bounds what one call can allocate.
inline constexpr std::uint32_t kMaxContentSize = 4u << 20;

struct Content {
    std::unique_ptr<unsigned char[]> bytes;
    std::size_t size = 0;
};

// Checks the whole container and decodes its stream. Reads no byte at or past
// data + size; allocates at most kMaxContentSize + 1 bytes plus the decoder's
// probability tables. On failure `content` is left empty.
AttachResult decode_container(const unsigned char* data, std::size_t size, Content& content);

}  // namespace engine
