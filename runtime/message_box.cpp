#include "runtime/message_box.h"

#include "runtime/text.h"

namespace runtime {

int message_box(std::string_view text, int code, std::optional<std::string_view> title, HWND owner) {
    const Text message(text.substr(0, text_length(text)));
    const Text caption = title ? Text(title->substr(0, text_length(*title))) : Text("信息：");
    UINT style = static_cast<UINT>(code);
    // Task-modal: with no owner, every window of the thread is disabled while
    // the box is up, so no second handler starts behind it.
    if ((style & MB_SYSTEMMODAL) == 0) style |= MB_TASKMODAL;
    switch (MessageBoxA(owner, message.c_str(), caption.c_str(), style)) {
        case IDCANCEL: return 1;
        case IDABORT: return 2;
        case IDRETRY: return 3;
        case IDIGNORE: return 4;
        case IDYES: return 5;
        case IDNO: return 6;
        default: return 0;  // IDOK, and anything unknown
    }
}

}  // namespace runtime
