#include "engine/core/container.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "LzmaDec.h"

namespace engine {
namespace {

constexpr unsigned char kMagic[4] = {'.', 'S', 'H', 'E'};
constexpr unsigned char kVersion[2] = {0x00, 0x03};
constexpr std::size_t kSizeOffset = 6;
constexpr std::size_t kPropertiesOffset = 10;
constexpr std::size_t kSmallestStream = 5;  // the range coder's first bytes
constexpr unsigned kPropertyByteLimit = 9 * 5 * 5;

void* lzma_alloc(void*, std::size_t size) { return size == 0 ? nullptr : std::malloc(size); }
void lzma_free(void*, void* address) { std::free(address); }
ISzAlloc lzma_allocator = {lzma_alloc, lzma_free};

}  // namespace

AttachResult decode_container(const unsigned char* data, std::size_t size, Content& content) {
    content = Content{};
    if (data == nullptr || size == 0) return kNullTheme;
    if (size < kContainerHeaderSize + kSmallestStream) return kTooShort;
    if (std::memcmp(data, kMagic, sizeof kMagic) != 0) return kBadMagic;
    if (std::memcmp(data + sizeof kMagic, kVersion, sizeof kVersion) != 0) return kBadVersion;

    const unsigned char* properties = data + kPropertiesOffset;
    if (properties[0] >= kPropertyByteLimit) return kBadProperties;

    const std::uint32_t expected = static_cast<std::uint32_t>(data[kSizeOffset]) |
                                   static_cast<std::uint32_t>(data[kSizeOffset + 1]) << 8 |
                                   static_cast<std::uint32_t>(data[kSizeOffset + 2]) << 16 |
                                   static_cast<std::uint32_t>(data[kSizeOffset + 3]) << 24;
    if (expected == 0 || expected > kMaxContentSize) return kAbsurdSize;

    // One byte of room beyond the announced size tells "the stream goes on"
    // apart from "the stream ends exactly there".
    std::unique_ptr<unsigned char[]> out(new (std::nothrow) unsigned char[expected + 1]);
    if (!out) return kOutOfMemory;

    SizeT out_size = expected + 1;
    const std::size_t stream_size = size - kContainerHeaderSize;
    SizeT in_size = stream_size;
    ELzmaStatus status = LZMA_STATUS_NOT_SPECIFIED;
    const SRes result = LzmaDecode(out.get(), &out_size, data + kContainerHeaderSize, &in_size,
                                   properties, LZMA_PROPS_SIZE, LZMA_FINISH_ANY, &status,
                                   &lzma_allocator);
    switch (result) {
    case SZ_OK:
        break;
    case SZ_ERROR_UNSUPPORTED:
        return kBadProperties;
    case SZ_ERROR_MEM:
        return kOutOfMemory;
    case SZ_ERROR_INPUT_EOF:
        return kTruncatedStream;
    default:
        return kCorruptStream;
    }
    if (out_size > expected) return kSizeMismatch;  // more content than announced
    if (status != LZMA_STATUS_FINISHED_WITH_MARK) {
        // Input ran out before the end marker.
        return out_size < expected ? kTruncatedStream : kSizeMismatch;
    }
    if (out_size != expected) return kSizeMismatch;
    if (in_size != stream_size) return kTrailingBytes;

    content.bytes = std::move(out);
    content.size = expected;
    return kAttached;
}

}  // namespace engine
