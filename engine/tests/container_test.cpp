// Container and theme content checks: every damaged input gets its own result
// and leaves the output untouched; no read past the bytes given.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <string>

#include "engine/core/container.h"
#include "engine/core/load_theme.h"
#include "engine/core/theme_content.h"
#include "engine/tests/embedded_themes.h"
#include "engine/tests/guarded_buffer.h"
#include "engine/tests/theme_bytes.h"

namespace engine_test {
namespace {

using engine::AttachResult;

AttachResult load(const Bytes& bytes, engine::Theme* out = nullptr) {
    GuardedBuffer guarded(bytes);
    engine::Theme theme;
    const AttachResult result = engine::load_theme(guarded.data(), guarded.size(), theme);
    if (out != nullptr) *out = theme;
    return result;
}

Bytes good() { return container(content(valid_records())); }

void set_size(Bytes& bytes, std::uint32_t size) { std::memcpy(bytes.data() + 6, &size, 4); }

TEST(Container, EveryCarriedThemeLoads) {
    std::set<std::uint32_t> looks;
    for (int n = 1; n <= kThemeCount; ++n) {
        engine::Theme theme;
        ASSERT_EQ(load(theme_container(n), &theme), engine::kAttached) << "theme " << n;
        const auto key = [](engine::Rgb c) { return c.r << 16 | c.g << 8 | c.b; };
        // Distinct at a glance: no two themes share window and accent colours.
        looks.insert(key(theme[engine::Role::kWindow]) ^ key(theme[engine::Role::kAccent]) << 1);
    }
    EXPECT_EQ(looks.size(), static_cast<std::size_t>(kThemeCount));
}

TEST(Container, DefaultThemeIsLightAndMatchesItsSource) {
    engine::Theme theme;
    ASSERT_EQ(load(theme_container(5), &theme), engine::kAttached);
    EXPECT_EQ(theme[engine::Role::kWindow], (engine::Rgb{0xDF, 0xE7, 0xEF}));
    EXPECT_EQ(theme[engine::Role::kAccent], (engine::Rgb{0x2F, 0x7A, 0xBC}));
    EXPECT_EQ(theme.corner_radius, 4);
    EXPECT_STREQ(theme.font_faces[0].data(), "微软雅黑");
}

TEST(Container, NullOrEmptyBuffer) {
    engine::Theme theme;
    EXPECT_EQ(engine::load_theme(nullptr, 100, theme), engine::kNullTheme);
    const Bytes bytes = good();
    EXPECT_EQ(engine::load_theme(bytes.data(), 0, theme), engine::kNullTheme);
}

struct Damage {
    const char* name;
    std::function<void(Bytes&)> apply;
    AttachResult expected;
};

class DamagedContainer : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedContainer, IsRefusedWithItsOwnResult) {
    Bytes bytes = good();
    GetParam().apply(bytes);
    engine::Theme theme;
    theme.corner_radius = 77;  // sentinel: must survive a refusal
    GuardedBuffer guarded(bytes);
    EXPECT_EQ(engine::load_theme(guarded.data(), guarded.size(), theme), GetParam().expected);
    EXPECT_EQ(theme.corner_radius, 77);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DamagedContainer,
    ::testing::Values(
        Damage{"one_byte", [](Bytes& b) { b.resize(1); }, engine::kTooShort},
        Damage{"header_only", [](Bytes& b) { b.resize(15); }, engine::kTooShort},
        Damage{"header_and_four", [](Bytes& b) { b.resize(19); }, engine::kTooShort},
        Damage{"magic_first", [](Bytes& b) { b[0] = ','; }, engine::kBadMagic},
        Damage{"magic_case", [](Bytes& b) { b[1] = 's'; }, engine::kBadMagic},
        Damage{"magic_last", [](Bytes& b) { b[3] = 0; }, engine::kBadMagic},
        Damage{"version_00_02", [](Bytes& b) { b[5] = 0x02; }, engine::kBadVersion},
        Damage{"version_01_03", [](Bytes& b) { b[4] = 0x01; }, engine::kBadVersion},
        Damage{"version_swapped", [](Bytes& b) { b[4] = 0x03, b[5] = 0x00; }, engine::kBadVersion},
        Damage{"property_225", [](Bytes& b) { b[10] = 225; }, engine::kBadProperties},
        Damage{"property_255", [](Bytes& b) { b[10] = 255; }, engine::kBadProperties},
        Damage{"size_zero", [](Bytes& b) { set_size(b, 0); }, engine::kAbsurdSize},
        Damage{"size_4MiB_plus_1", [](Bytes& b) { set_size(b, (4u << 20) + 1); }, engine::kAbsurdSize},
        Damage{"size_all_ones", [](Bytes& b) { set_size(b, 0xFFFFFFFF); }, engine::kAbsurdSize},
        Damage{"size_one_less",
               [](Bytes& b) { set_size(b, static_cast<std::uint32_t>(content(valid_records()).size() - 1)); },
               engine::kSizeMismatch},
        Damage{"size_one_more",
               [](Bytes& b) { set_size(b, static_cast<std::uint32_t>(content(valid_records()).size() + 1)); },
               engine::kSizeMismatch},
        Damage{"size_4MiB",  // allowed size, stream far shorter: refused, no 4 MiB kept
               [](Bytes& b) { set_size(b, 4u << 20); }, engine::kSizeMismatch},
        Damage{"range_coder_first_byte", [](Bytes& b) { b[15] = 0xFF; }, engine::kCorruptStream},
        Damage{"stream_cut_short", [](Bytes& b) { b.resize(b.size() - 3); }, engine::kTruncatedStream},
        Damage{"trailing_byte", [](Bytes& b) { b.push_back(0); }, engine::kTrailingBytes},
        Damage{"trailing_copy", [](Bytes& b) { Bytes copy = b; b.insert(b.end(), copy.begin() + 15, copy.end()); },
               engine::kTrailingBytes},
        Damage{"content_not_a_theme",
               [](Bytes& b) { b = container(Bytes(300, 'x')); }, engine::kBadThemeContent},
        Damage{"content_missing_colour",
               [](Bytes& b) {
                   auto r = valid_records();
                   r.erase(r.begin() + 3);
                   b = container(content(r));
               },
               engine::kBadThemeContent}),
    [](const auto& info) { return std::string(info.param.name); });

// Flipping any one stream byte must never crash or read out of bounds; the
// decoder may notice it as any stream failure, or the content check may.
TEST(Container, EveryFlippedStreamByteIsHandled) {
    const Bytes original = good();
    for (std::size_t at = 15; at < original.size(); ++at) {
        for (unsigned char mask : {0x01, 0x80, 0xFF}) {
            Bytes bytes = original;
            bytes[at] ^= mask;
            const AttachResult result = load(bytes);
            if (result == engine::kAttached) continue;  // a flip in a literal can stay valid
            EXPECT_TRUE(result == engine::kCorruptStream || result == engine::kTruncatedStream ||
                        result == engine::kSizeMismatch || result == engine::kTrailingBytes ||
                        result == engine::kBadThemeContent)
                << "byte " << at << " mask " << int(mask) << " gave " << result;
        }
    }
}

TEST(Container, EveryPrefixIsRefused) {
    const Bytes original = good();
    for (std::size_t length = 1; length < original.size(); ++length) {
        const Bytes prefix(original.begin(), original.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_NE(load(prefix), engine::kAttached) << "prefix " << length;
    }
}

struct ContentCase {
    const char* name;
    std::function<Bytes()> make;
};

Bytes with(std::function<void(std::vector<Record>&)> edit) {
    auto records = valid_records();
    edit(records);
    return content(records);
}

Record& find(std::vector<Record>& records, unsigned char tag) {
    for (Record& r : records) {
        if (r.tag == tag) return r;
    }
    throw std::logic_error("no such tag");
}

class BadContent : public ::testing::TestWithParam<ContentCase> {};

TEST_P(BadContent, IsRefusedAndLeavesThemeUntouched) {
    const Bytes bytes = GetParam().make();
    GuardedBuffer guarded(bytes);
    engine::Theme theme;
    theme.border_width = 99;
    EXPECT_FALSE(engine::parse_theme_content(guarded.data(), guarded.size(), theme));
    EXPECT_EQ(theme.border_width, 99);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadContent,
    ::testing::Values(
        ContentCase{"empty", [] { return Bytes{}; }},
        ContentCase{"header_cut", [] { return Bytes{'S', 'K', 'T', 'H', 1, 0}; }},
        ContentCase{"wrong_magic", [] { auto b = content(valid_records()); b[3] = 'X'; return b; }},
        ContentCase{"version_2", [] { return content(valid_records(), 2); }},
        ContentCase{"version_0", [] { return content(valid_records(), 0); }},
        ContentCase{"count_too_high",
                    [] { return content_with_count(valid_records(), static_cast<unsigned>(valid_records().size() + 1)); }},
        ContentCase{"count_too_low_trailing",
                    [] { return content_with_count(valid_records(), static_cast<unsigned>(valid_records().size() - 1)); }},
        ContentCase{"count_65535", [] { return content_with_count(valid_records(), 65535); }},
        ContentCase{"record_length_past_end",
                    [] { auto b = content(valid_records()); b[b.size() - 7] = 200; return b; }},
        ContentCase{"colour_two_bytes", [] { return with([](auto& r) { r[0].value.pop_back(); }); }},
        ContentCase{"colour_twice", [] { return with([](auto& r) { r.push_back(r[2]); }); }},
        ContentCase{"colour_missing", [] { return with([](auto& r) { r.erase(r.begin() + 31); }); }},
        ContentCase{"unknown_tag", [] { return with([](auto& r) { r.push_back({0x60, {1}}); }); }},
        ContentCase{"tag_zero", [] { return with([](auto& r) { r.push_back({0x00, {}}); }); }},
        ContentCase{"radius_13", [] { return with([](auto& r) { find(r, 0x40).value = {13}; }); }},
        ContentCase{"border_0", [] { return with([](auto& r) { find(r, 0x41).value = {0}; }); }},
        ContentCase{"border_4", [] { return with([](auto& r) { find(r, 0x41).value = {4}; }); }},
        ContentCase{"gradient_41", [] { return with([](auto& r) { find(r, 0x42).value = {41}; }); }},
        ContentCase{"points_7", [] { return with([](auto& r) { find(r, 0x43).value = {7}; }); }},
        ContentCase{"points_17", [] { return with([](auto& r) { find(r, 0x43).value = {17}; }); }},
        ContentCase{"weight_99", [] { return with([](auto& r) { find(r, 0x44).value = {99, 0}; }); }},
        ContentCase{"weight_901", [] { return with([](auto& r) { find(r, 0x44).value = {0x85, 0x03}; }); }},
        ContentCase{"weight_one_byte", [] { return with([](auto& r) { find(r, 0x44).value = {4}; }); }},
        ContentCase{"metric_twice", [] { return with([](auto& r) { r.push_back({0x40, {2}}); }); }},
        ContentCase{"no_face", [] { return with([](auto& r) { r.pop_back(); }); }},
        ContentCase{"face_empty", [] { return with([](auto& r) { r.back().value.clear(); }); }},
        ContentCase{"face_32_bytes", [] { return with([](auto& r) { r.back().value.assign(32, 'a'); }); }},
        ContentCase{"face_control_byte", [] { return with([](auto& r) { r.back().value[2] = '\n'; }); }},
        ContentCase{"face_nul_inside", [] { return with([](auto& r) { r.back().value[2] = 0; }); }},
        ContentCase{"five_faces",
                    [] { return with([](auto& r) { for (int i = 0; i < 4; ++i) r.push_back(r.back()); }); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Content, LongestFaceAndFourFacesAreAccepted) {
    const Bytes bytes = with([](auto& r) {
        r.back().value.assign(31, 'a');
        for (int i = 0; i < 3; ++i) r.push_back({0x50, {'b'}});
    });
    engine::Theme theme;
    ASSERT_TRUE(engine::parse_theme_content(bytes.data(), bytes.size(), theme));
    EXPECT_EQ(theme.font_face_count, 4);
    EXPECT_EQ(std::strlen(theme.font_faces[0].data()), 31u);
}

}  // namespace
}  // namespace engine_test
