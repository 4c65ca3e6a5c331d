#include "runtime/text.h"

#include "runtime/path_limit.h"

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
        // 0x80 (the euro sign) and 0xFF stand alone: the letter after them is one of its own.
        {"\x80" "a\xFF" "b\xFE" "c", "\x80" "A\xFF" "B\xFE" "c"},
    };
    for (const Case& c : cases) EXPECT_EQ(runtime::to_upper_case(c.in), c.out) << c.in;
}

TEST(FindLastBackslash, SkipsTrailBytes) {
    struct Case { std::string text; std::size_t at; };
    const Case cases[] = {
        {"Software\\Tencent\\LOL\\InstallPath", 20},
        {"key\\name\x81\x5C", 3},
        {"plain", std::string::npos},
        // A folder whose name ends in the euro sign (80) or in FF: the backslash
        // after it separates, or the program's folder would be taken for its parent.
        {"C:\\\xB9\xA4\x80\\a.exe", 6},
        {"C:\\x\xFF\\a.exe", 5},
    };
    for (const Case& c : cases) EXPECT_EQ(runtime::find_last_backslash(c.text), c.at) << c.text;
}

TEST(JoinTexts, PlainConcatenation) {
    EXPECT_EQ(runtime::join_texts({"", ""}), "");
    EXPECT_EQ(runtime::join_texts({"E:\\", "\\TCLS\\Client.exe"}), "E:\\\\TCLS\\Client.exe");
    EXPECT_EQ(runtime::text_length(std::string_view("ab\0cd", 5)), 2u);
}


std::string repeated(int count, std::string_view unit) {
    std::string text;
    for (int i = 0; i < count; ++i) text += unit;
    return text;
}

// 259 characters fit, 260 do not; "英" is two bytes but one character.
TEST(FitsPathLimit, CountsCharactersNotBytes) {
    struct Case { std::string path; bool fits; };
    const Case cases[] = {
        {"", true},
        {repeated(259, "a"), true},
        {repeated(260, "a"), false},
        {repeated(259, "\xD3\xA2"), true},
        {repeated(260, "\xD3\xA2"), false},
        {repeated(159, "a") + repeated(100, "\xD3\xA2"), true},
        {repeated(160, "a") + repeated(100, "\xD3\xA2"), false},
    };
    for (const Case& c : cases) EXPECT_EQ(runtime::fits_path_limit(c.path), c.fits) << c.path.size();
}

}  // namespace
