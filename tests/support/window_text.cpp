#include "tests/support/window_text.h"

namespace test_support {

namespace {

// A window of a hung process must not hang the test. Not SMTO_ABORTIFHUNG:
// a thread that has not asked for a message for 5 s counts as hung, and a
// box shown after long work is read empty before its loop starts.
constexpr UINT kSendTimeoutMs = 5000;

}  // namespace

std::wstring window_text_wide(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_NORMAL, kSendTimeoutMs, &copied))
        return {};
    text.resize(copied < text.size() ? copied : text.size() - 1);
    return text;
}

std::string window_text(HWND window) { return wide_to_code_page(window_text_wide(window), kGbk); }

std::string window_text_utf8(HWND window) {
    return wide_to_code_page(window_text_wide(window), CP_UTF8);
}

std::string window_class(HWND window) {
    char name[256] = {};
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

}  // namespace test_support
