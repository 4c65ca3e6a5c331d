#pragma once
// A byte set is a counted block of bytes. Constants (pack archives, manifests,
// themes, the engine file) are stored in read-only data as a 32-bit 1, a 32-bit
// little-endian length N and the N bytes; a ByteSet is a view over the bytes,
// never a copy.
#include <cstddef>
#include <cstdint>

namespace runtime {

// The stored head before the bytes: the 1 and the length.
inline constexpr std::size_t kByteSetHeadSize = 8;

struct ByteSet {
    const unsigned char* data = nullptr;
    std::uint32_t size = 0;
};

// View over a byte-set constant in its stored layout (head, then data).
ByteSet stored_byte_set(const void* stored);

// The length of a byte set; 0 for the empty one.
std::uint32_t byte_set_length(ByteSet bytes);

}  // namespace runtime
