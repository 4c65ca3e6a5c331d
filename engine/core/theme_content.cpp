#include "engine/core/theme_content.h"

#include <bitset>
#include <cstring>

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

// A face name goes into LOGFONT as is: no control bytes, no NUL, room for the NUL.
bool valid_face(const unsigned char* name, std::size_t length) {
    if (length == 0 || length >= kFontFaceCapacity) return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (name[i] < 0x20 || name[i] == 0x7F) return false;
    }
    return true;
}

}  // namespace

bool parse_theme_content(const unsigned char* content, std::size_t size, Theme& out) {
    if (content == nullptr || size < kHeaderSize) return false;
    if (std::memcmp(content, kContentMagic, sizeof kContentMagic) != 0) return false;
    const unsigned version = content[4] | content[5] << 8;
    const unsigned records = content[6] | content[7] << 8;
    if (version != kContentVersion) return false;

    Theme theme;
    std::bitset<kRoleCount> colors_seen;
    std::bitset<5> metrics_seen;
    std::size_t at = kHeaderSize;
    for (unsigned n = 0; n < records; ++n) {
        if (size - at < 2) return false;
        const unsigned tag = content[at];
        const std::size_t length = content[at + 1];
        at += 2;
        if (size - at < length) return false;
        const unsigned char* value = content + at;
        at += length;

        if (tag >= kFirstColorTag && tag < kFirstColorTag + kRoleCount) {
            const std::size_t slot = tag - kFirstColorTag;
            if (length != 3 || colors_seen.test(slot)) return false;
            colors_seen.set(slot);
            theme.colors[slot] = Rgb{value[0], value[1], value[2]};
        } else if (tag >= kCornerRadiusTag && tag <= kFontPointsTag) {
            const std::size_t slot = tag - kCornerRadiusTag;
            if (length != 1 || metrics_seen.test(slot)) return false;
            metrics_seen.set(slot);
            const unsigned v = value[0];
            switch (tag) {
            case kCornerRadiusTag:
                if (!in(v, {0, 12})) return false;
                theme.corner_radius = static_cast<std::uint8_t>(v);
                break;
            case kBorderWidthTag:
                if (!in(v, {1, 3})) return false;
                theme.border_width = static_cast<std::uint8_t>(v);
                break;
            case kFaceGradientTag:
                if (!in(v, {0, 40})) return false;
                theme.face_gradient = static_cast<std::uint8_t>(v);
                break;
            default:
                if (!in(v, {8, 16})) return false;
                theme.font_points = static_cast<std::uint8_t>(v);
                break;
            }
        } else if (tag == kFontWeightTag) {
            if (length != 2 || metrics_seen.test(4)) return false;
            metrics_seen.set(4);
            const unsigned weight = value[0] | value[1] << 8;
            if (!in(weight, {100, 900})) return false;
            theme.font_weight = static_cast<std::uint16_t>(weight);
        } else if (tag == kFontFaceTag) {
            if (theme.font_face_count == kMaxFontFaces || !valid_face(value, length)) return false;
            auto& face = theme.font_faces[theme.font_face_count++];
            std::memcpy(face.data(), value, length);
            face[length] = '\0';
        } else {
            // Version 1 knows every tag; anything else means a newer or broken file.
            return false;
        }
    }
    if (at != size) return false;
    if (!colors_seen.all() || !metrics_seen.all() || theme.font_face_count == 0) return false;
    out = theme;
    return true;
}

}  // namespace engine
