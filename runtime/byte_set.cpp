#include "runtime/byte_set.h"

#include <cstring>

namespace runtime {

ByteSet stored_byte_set(const void* stored) {
    const auto* head = static_cast<const unsigned char*>(stored);
    std::uint32_t length;
    std::memcpy(&length, head + 4, sizeof length);  // x86: little-endian as stored
    return ByteSet{head + kByteSetHeadSize, length};
}

std::uint32_t byte_set_length(ByteSet bytes) { return bytes.size; }

}  // namespace runtime
