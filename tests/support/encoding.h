#pragma once
// Text in the tests' code pages: the program's GBK (936), UTF-8 for logs and
// for names written as u8 literals, UTF-16 for the W forms of the API.
#include <windows.h>

#include <string>
#include <string_view>

#include "runtime/code_page.h"

namespace test_support {

inline constexpr UINT kGbk = runtime::kProgramCodePage;

std::string wide_to_code_page(std::wstring_view text, UINT code_page);
std::wstring code_page_to_wide(std::string_view text, UINT code_page);
std::string gbk_to_utf8(std::string_view gbk);
std::string utf8_to_gbk(std::string_view utf8);

// A GBK path from UTF-8 text, for names written in a test's UTF-8 literals
// (u8"英雄联盟"); the tests' plain literals are GBK already.
std::string gbk(std::u8string_view utf8);

}  // namespace test_support
