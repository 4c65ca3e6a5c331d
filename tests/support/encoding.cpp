#include "tests/support/encoding.h"

namespace test_support {

std::string wide_to_code_page(std::wstring_view text, UINT code_page) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string converted(size > 0 ? size : 0, '\0');
    WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), converted.data(),
                        size, nullptr, nullptr);
    return converted;
}

std::wstring code_page_to_wide(std::string_view text, UINT code_page) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
    std::wstring converted(size > 0 ? size : 0, L'\0');
    MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), converted.data(), size);
    return converted;
}

std::string gbk_to_utf8(std::string_view gbk) {
    return wide_to_code_page(code_page_to_wide(gbk, kGbk), CP_UTF8);
}

std::string utf8_to_gbk(std::string_view utf8) {
    return wide_to_code_page(code_page_to_wide(utf8, CP_UTF8), kGbk);
}

std::string gbk(std::u8string_view utf8) {
    return utf8_to_gbk(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

}  // namespace test_support
