#pragma once
// Builds theme content and containers byte by byte, so tests can make every
// kind of damaged input on purpose.
#include <cstdint>
#include <vector>

namespace engine_test {

using Bytes = std::vector<unsigned char>;

// One record of the theme content: tag, length, value.
struct Record {
    unsigned char tag;
    Bytes value;
};

// The records of a complete, valid theme.
std::vector<Record> valid_records();

// Content with the given header fields and records.
Bytes content(const std::vector<Record>& records, unsigned version = 1);
Bytes content_with_count(const std::vector<Record>& records, unsigned count);

// A container as the theme tool writes it: header, properties 5D 00 00 80 00 and
// a raw LZMA stream with end marker.
Bytes container(const Bytes& content);

// A view of a byte-set constant embedded in the test program.
Bytes embedded(const unsigned char* stored);

}  // namespace engine_test
