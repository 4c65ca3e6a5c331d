#include "engine/core/theme_content.h"

#include <cstring>
#include <iterator>

namespace engine {
namespace {

enum Tag : unsigned char {
    kFirstColorTag = 0x01,
    kCornerRadiusTag = 0x40,
    kBorderWidthTag = 0x41,
    kFaceGradientTag = 0x42,
    kFontPointsTag = 0x43,
    kFontWeightTag = 0x44,
    kFontFaceTag = 0x50,
};

constexpr std::size_t kHeaderSize = 8;

struct Range {
    unsigned low, high;
};

bool in(unsigned value, Range range) { return value >= range.low && value <= range.high; }

// The one-byte metrics, in tag order from kCornerRadiusTag.
struct ByteMetric {
    Range range;
    std::uint8_t Theme::*field;
};
constexpr ByteMetric kByteMetrics[] = {
    {{0, 12}, &Theme::corner_radius},
    {{1, 3}, &Theme::border_width},
    {{0, 40}, &Theme::face_gradient},
    {{8, 16}, &Theme::font_points},
};
constexpr std::size_t kWeightSlot = std::size(kByteMetrics);

struct Record {
    unsigned tag;
    const unsigned char* value;
    std::size_t length;
};

// A face name goes into LOGFONT as is: no control bytes, no NUL, room for the NUL.
bool valid_face(const unsigned char* name, std::size_t length) {
    if (length == 0 || length >= kFontFaceCapacity) return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (name[i] < 0x20 || name[i] == 0x7F) return false;
    }
    return true;
}

// The theme as its records build it up. Each take_* refuses a record that
// is malformed, out of range or repeats one already taken.
class ThemeBuilder {
public:
    bool take(const Record& record) {
        if (record.tag >= kFirstColorTag && record.tag < kFirstColorTag + kRoleCount) return take_color(record);
        if (record.tag >= kCornerRadiusTag && record.tag <= kFontPointsTag) return take_byte_metric(record);
        if (record.tag == kFontWeightTag) return take_weight(record);
        if (record.tag == kFontFaceTag) return take_face(record);
        // Version 1 knows every tag; anything else means a newer or broken file.
        return false;
    }

    bool complete() const {
        return colors_seen_ == every(kRoleCount) && metrics_seen_ == every(kWeightSlot + 1) &&
               theme_.font_face_count != 0;
    }
    const Theme& theme() const { return theme_; }

private:
    // Bit masks rather than std::bitset, whose checked access brings the C++
    // runtime's exceptions into the engine.
    using Seen = std::uint64_t;
    static_assert(kRoleCount < 64 && kWeightSlot < 63);
    static constexpr Seen every(std::size_t slots) { return (Seen{1} << slots) - 1; }

    static bool first(std::size_t slot, Seen& seen) {
        const Seen bit = Seen{1} << slot;
        if (seen & bit) return false;
        seen |= bit;
        return true;
    }

    bool take_color(const Record& record) {
        const std::size_t slot = record.tag - kFirstColorTag;
        if (record.length != 3 || !first(slot, colors_seen_)) return false;
        theme_.colors[slot] = Rgb{record.value[0], record.value[1], record.value[2]};
        return true;
    }

    bool take_byte_metric(const Record& record) {
        const std::size_t slot = record.tag - kCornerRadiusTag;
        if (record.length != 1 || !first(slot, metrics_seen_)) return false;
        const ByteMetric& metric = kByteMetrics[slot];
        if (!in(record.value[0], metric.range)) return false;
        theme_.*metric.field = record.value[0];
        return true;
    }

    bool take_weight(const Record& record) {
        if (record.length != 2 || !first(kWeightSlot, metrics_seen_)) return false;
        const unsigned weight = record.value[0] | record.value[1] << 8;
        if (!in(weight, {100, 900})) return false;
        theme_.font_weight = static_cast<std::uint16_t>(weight);
        return true;
    }

    bool take_face(const Record& record) {
        if (theme_.font_face_count == kMaxFontFaces || !valid_face(record.value, record.length)) return false;
        auto& face = theme_.font_faces[theme_.font_face_count++];
        std::memcpy(face.data(), record.value, record.length);
        face[record.length] = '\0';
        return true;
    }

    Theme theme_;
    Seen colors_seen_ = 0;
    Seen metrics_seen_ = 0;
};

// Reads the next tag-length-value record at `at`; false when it runs past the end.
bool next_record(const unsigned char* content, std::size_t size, std::size_t& at, Record& record) {
    if (size - at < 2) return false;
    record.tag = content[at];
    record.length = content[at + 1];
    at += 2;
    if (size - at < record.length) return false;
    record.value = content + at;
    at += record.length;
    return true;
}

}  // namespace

bool parse_theme_content(const unsigned char* content, std::size_t size, Theme& out) {
    if (content == nullptr || size < kHeaderSize) return false;
    if (std::memcmp(content, kContentMagic, sizeof kContentMagic) != 0) return false;
    const unsigned version = content[4] | content[5] << 8;
    const unsigned records = content[6] | content[7] << 8;
    if (version != kContentVersion) return false;

    ThemeBuilder builder;
    std::size_t at = kHeaderSize;
    for (unsigned n = 0; n < records; ++n) {
        Record record{};
        if (!next_record(content, size, at, record) || !builder.take(record)) return false;
    }
    if (at != size || !builder.complete()) return false;
    out = builder.theme();
    return true;
}

}  // namespace engine
