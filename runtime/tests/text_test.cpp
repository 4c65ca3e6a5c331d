#include "runtime/text.h"

#include <gtest/gtest.h>

namespace {

// "英" is D3 A2, "雄" D0 DB; "\x81\x5C" is a GBK character whose trail byte is a
// backslash, "\x81\x61" one whose trail byte is 'a'.
TEST(ToUpperCase, ChangesOnlySingleByteLetters) {
    struct Case { std::string in, out; };
    const Case cases[] = {
        {"", ""},
        {"d:\\Games\\英雄联盟", "D:\\GAMES\\英雄联盟"},
        {"x\x81\x61y", "X\x81\x61Y"},
        {"\x81", "\x81"},  // a lead byte at the end ends the scan
        {"az{@`AZ", "AZ{@`AZ"},
    };
    for (const Case& c : cases) EXPECT_EQ(runtime::to_upper_case(c.in), c.out) << c.in;
}

TEST(FindLastBackslash, SkipsTrailBytes) {
    EXPECT_EQ(runtime::find_last_backslash("Software\\Tencent\\LOL\\InstallPath"), 20u);
    EXPECT_EQ(runtime::find_last_backslash("key\\name\x81\x5C"), 3u);
    EXPECT_EQ(runtime::find_last_backslash("plain"), std::string::npos);
}

TEST(JoinTexts, PlainConcatenation) {
    EXPECT_EQ(runtime::join_texts({"", ""}), "");
    EXPECT_EQ(runtime::join_texts({"E:\\", "\\TCLS\\Client.exe"}), "E:\\\\TCLS\\Client.exe");
    EXPECT_EQ(runtime::text_length(std::string_view("ab\0cd", 5)), 2u);
}

}  // namespace
