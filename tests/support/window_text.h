#pragma once
// Reading window texts across processes. WM_GETTEXT is sent in its W form,
// which Wine and Windows marshal between processes; the result is converted to
// GBK to compare with the program's own literals, or to UTF-8 for test logs.
#include <windows.h>

#include <string>
#include <string_view>

#include "tests/support/encoding.h"  // the conversions, for the texts read

namespace test_support {

std::wstring window_text_wide(HWND window);
// GBK bytes (code page 936), comparable with the GBK literals of the tests.
std::string window_text(HWND window);
std::string window_text_utf8(HWND window);
std::string window_class(HWND window);

}  // namespace test_support
