#include "engine/tests/theme_bytes.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "LzmaEnc.h"
#include "engine/core/theme.h"

namespace engine_test {
namespace {

void* lzma_alloc(void*, size_t size) { return std::malloc(size); }
void lzma_free(void*, void* address) { std::free(address); }
ISzAlloc allocator = {lzma_alloc, lzma_free};

void put16(Bytes& out, unsigned value) {
    out.push_back(static_cast<unsigned char>(value));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

}  // namespace

std::vector<Record> valid_records() {
    std::vector<Record> records;
    for (unsigned tag = 1; tag <= engine::kRoleCount; ++tag) {
        records.push_back({static_cast<unsigned char>(tag),
                           {static_cast<unsigned char>(tag * 7), static_cast<unsigned char>(tag * 3),
                            static_cast<unsigned char>(255 - tag)}});
    }
    records.push_back({0x40, {4}});
    records.push_back({0x41, {1}});
    records.push_back({0x42, {10}});
    records.push_back({0x43, {9}});
    records.push_back({0x44, {0x90, 0x01}});  // 400
    records.push_back({0x50, {'T', 'a', 'h', 'o', 'm', 'a'}});
    return records;
}

Bytes content_with_count(const std::vector<Record>& records, unsigned count) {
    Bytes out = {'S', 'K', 'T', 'H'};
    put16(out, 1);
    put16(out, count);
    for (const Record& r : records) {
        out.push_back(r.tag);
        out.push_back(static_cast<unsigned char>(r.value.size()));
        out.insert(out.end(), r.value.begin(), r.value.end());
    }
    return out;
}

Bytes content(const std::vector<Record>& records, unsigned version) {
    Bytes out = content_with_count(records, static_cast<unsigned>(records.size()));
    out[4] = static_cast<unsigned char>(version);
    out[5] = static_cast<unsigned char>(version >> 8);
    return out;
}

Bytes container(const Bytes& content) {
    CLzmaEncProps props;
    LzmaEncProps_Init(&props);
    props.dictSize = 8u << 20;
    props.lc = 3;
    props.lp = 0;
    props.pb = 2;
    props.numThreads = 1;
    Bytes stream(content.size() + content.size() / 2 + 1024);
    SizeT stream_size = stream.size();
    unsigned char encoded_props[LZMA_PROPS_SIZE];
    SizeT props_size = LZMA_PROPS_SIZE;
    if (LzmaEncode(stream.data(), &stream_size, content.data(), content.size(), &props,
                   encoded_props, &props_size, 1, nullptr, &allocator, &allocator) != SZ_OK) {
        throw std::runtime_error("LzmaEncode failed");
    }
    Bytes out = {'.', 'S', 'H', 'E', 0x00, 0x03};
    const auto size = static_cast<std::uint32_t>(content.size());
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<unsigned char>(size >> shift));
    out.insert(out.end(), encoded_props, encoded_props + props_size);
    out.insert(out.end(), stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(stream_size));
    return out;
}

Bytes embedded(const unsigned char* stored) {
    std::uint32_t size;
    std::memcpy(&size, stored + 4, sizeof size);
    return Bytes(stored + 8, stored + 8 + size);
}

}  // namespace engine_test
