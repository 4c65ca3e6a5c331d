#pragma once
// Texts are GBK byte strings (code page 936). A std::string owns a fresh copy;
// the empty text and a missing text are the same value.
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace runtime {

using Text = std::string;

// Lead bytes of two-byte characters in code page 936. 0x80 is a character of
// its own (the euro sign) and 0xFF is none: counting them as lead bytes
// swallows the byte after them, a backslash among others.
constexpr bool is_gbk_lead_byte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// Joins texts by plain concatenation: nothing inserted or removed between them.
Text join_texts(std::initializer_list<std::string_view> parts);

// Number of bytes before the first zero byte (0 for the empty text).
std::size_t text_length(std::string_view text);

// ASCII a-z become A-Z; both bytes of a two-byte GBK character stay as they are,
// even when the trail byte is a lower-case letter.
Text to_upper_case(std::string_view text);

// The same text but for the case of ASCII letters, as file names compare.
bool same_ignoring_case(std::string_view a, std::string_view b);

// Offset of the last backslash that is a character of its own, never the trail
// byte (0x5C) of a two-byte character; npos when there is none.
std::size_t find_last_backslash(std::string_view text);

}  // namespace runtime
