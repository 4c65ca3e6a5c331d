#include "runtime/code_page.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace runtime {

namespace {

constexpr std::string_view kTitle = "错误";

// The box is seen mostly on English and Traditional Chinese Windows: the
// steps name each item as Windows 10/11 and Windows 7 label it, in Chinese
// and in English. intl.cpl opens the same window on every one of them.
constexpr std::string_view kHowToSet =
    "设置方法：打开控制面板里的“区域”（Windows 7：“区域和语言”；也可按 Win+R 输入 intl.cpl），"
    "在“管理”页点“更改系统区域设置”，选择“中文(简体，中国)”，"
    "取消勾选“Beta 版: 使用 Unicode UTF-8 提供全球语言支持”，确定后重新启动电脑。\r\n\r\n"
    "How to set it: in Control Panel open \"Region\" (Windows 7: \"Region and Language\"; or press Win+R and "
    "enter intl.cpl), on the \"Administrative\" tab click \"Change system locale...\", choose \"Chinese "
    "(Simplified, China)\" (Windows 7: \"Chinese (Simplified, PRC)\"), untick \"Beta: Use Unicode UTF-8 for "
    "worldwide language support\", press OK and restart the computer.";

// Converted from GBK by number, not through the ANSI code page, which is the
// very thing that is wrong here.
std::wstring from_gbk(std::string_view text) {
    const int size = MultiByteToWideChar(kProgramCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(size > 0 ? static_cast<std::size_t>(size) : 0, L'\0');
    if (size > 0)
        MultiByteToWideChar(kProgramCodePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

}  // namespace

Text code_page_refusal(unsigned code_page) {
    const std::string number = std::to_string(code_page);
    return join_texts({"这台电脑的系统代码页是 ", number,
                       "，而本程序和游戏都需要简体中文（代码页 936）。\r\n本程序没有做任何修改。\r\n"
                       "This computer's system code page is ", number,
                       "; this program and the game need Simplified Chinese (code page 936). "
                       "Nothing was changed.\r\n\r\n",
                       kHowToSet});
}

void require_program_code_page() {
    const UINT code_page = GetACP();
    if (code_page == kProgramCodePage) return;
    MessageBoxW(nullptr, from_gbk(code_page_refusal(code_page)).c_str(), from_gbk(kTitle).c_str(),
                MB_ICONERROR | MB_OK | MB_TASKMODAL);
    ExitProcess(static_cast<UINT>(-1));
}

}  // namespace runtime
