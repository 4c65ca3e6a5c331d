#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "engine/skinh_el.h"
#include "runtime/byte_set.h"
#include "theme/engine_command.h"
#include "theme/interface_theme.h"
#include "theme/theme_table.h"

namespace {

TEST(ThemeTable, EveryThemeCarriesTheContainerHead) {
    const unsigned char kMagicAndVersion[] = {0x2E, 0x53, 0x48, 0x45, 0x00, 0x03};
    const unsigned char kLzmaProperties[] = {0x5D, 0x00, 0x00, 0x80, 0x00};
    for (int n = 1; n <= theme::kThemeCount; ++n) {
        const unsigned char* stored = theme::stored_theme(n);
        ASSERT_NE(stored, nullptr) << n;
        std::uint32_t kind;
        std::memcpy(&kind, stored, 4);
        EXPECT_EQ(kind, 1u) << n;
        const runtime::ByteSet bytes = runtime::stored_byte_set(stored);
        ASSERT_GT(bytes.size, 15u) << n;
        EXPECT_EQ(std::memcmp(bytes.data, kMagicAndVersion, 6), 0) << n;
        EXPECT_EQ(std::memcmp(bytes.data + 10, kLzmaProperties, 5), 0) << n;
    }
    for (int n : {-1, 0, 34, 1000}) EXPECT_EQ(theme::stored_theme(n), nullptr) << n;
}

TEST(ThemeTable, EngineFileIsADll) {
    const runtime::ByteSet engine = theme::engine_file_bytes();
    ASSERT_GT(engine.size, 1024u);
    EXPECT_EQ(engine.data[0], 'M');
    EXPECT_EQ(engine.data[1], 'Z');
}

// What one call of the engine's entry received, copied while the call runs.
struct Received {
    int calls = 0;
    const void* theme = nullptr;
    std::vector<unsigned char> bytes;
    int length = -1;
    const char* text = nullptr;
    std::string text_value;
    int a = -1, b = -1, c = -1;
};
Received received;

int WINAPI record(const unsigned char* theme, std::uint32_t length, const char* text, int a, int b, int c) {
    ++received.calls;
    received.theme = theme;
    received.length = static_cast<int>(length);
    if (theme != nullptr && length > 0) received.bytes.assign(theme, theme + length);
    received.text = text;
    if (text != nullptr) received.text_value = text;
    received.a = a, received.b = b, received.c = c;
    return 0;
}

TEST(EngineCommand, BindsFromTheEngineFile) {
    EXPECT_STREQ(theme::skin_attach_res.dll_file_name(), engine::kEngineFileName);
}

TEST(HandOverTheme, PassesAPrivateCopyOfTheWholeTheme) {
    for (int n : {1, 5, 33}) {
        received = {};
        theme::hand_over_theme(n, &record);
        const runtime::ByteSet constant = runtime::stored_byte_set(theme::stored_theme(n));
        ASSERT_EQ(received.calls, 1) << n;
        EXPECT_EQ(received.length, static_cast<int>(constant.size)) << n;
        ASSERT_NE(received.theme, nullptr) << n;
        EXPECT_NE(received.theme, static_cast<const void*>(constant.data)) << n << ": not a copy";
        EXPECT_EQ(received.bytes, std::vector<unsigned char>(constant.data, constant.data + constant.size)) << n;
        ASSERT_NE(received.text, nullptr) << n;
        EXPECT_EQ(received.text_value, "") << n;
        EXPECT_EQ(received.a, 0);
        EXPECT_EQ(received.b, 0);
        EXPECT_EQ(received.c, 0);
    }
}

TEST(HandOverTheme, NumbersOutsideTheTablePassNullAndZero) {
    for (int n : {0, 34, -5}) {
        received = {};
        theme::hand_over_theme(n, &record);
        ASSERT_EQ(received.calls, 1) << n;
        EXPECT_EQ(received.theme, nullptr) << n;
        EXPECT_EQ(received.length, 0) << n;
        ASSERT_NE(received.text, nullptr) << n;
        EXPECT_EQ(received.text_value, "") << n;
    }
}

}  // namespace
