#include "ui/tab_pages.h"

#include <commctrl.h>

namespace ui {

void show_selected_page(HWND main_window, HWND tab, std::span<const HWND, kControls.size()> controls) {
    const int page = static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0)) + 1;
    HWND focus = GetFocus();
    // Hide first, then show: the two pages overlap.
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (kControls[i].parent == kTabControlId && kControls[i].page != page) {
            if (controls[i] == focus) SetFocus(main_window);
            ShowWindow(controls[i], SW_HIDE);
        }
    }
    for (std::size_t i = 0; i < kControls.size(); ++i)
        if (kControls[i].parent == kTabControlId && kControls[i].page == page) ShowWindow(controls[i], SW_SHOWNA);
    // The labels paint over the tab's body; repaint both in that order.
    RedrawWindow(tab, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

int page_step(const MSG& message) {
    if (message.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0) return 0;
    switch (message.wParam) {
    case VK_TAB:
        return GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    case VK_NEXT:
        return 1;
    case VK_PRIOR:
        return -1;
    default:
        return 0;
    }
}

void turn_page(HWND tab, int step, std::span<const HWND, kControls.size()> controls) {
    const int selected = static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0));
    const int next = (selected + step + packs::kPageCount) % packs::kPageCount;
    // Without TCS_BUTTONS this selects the tab just as a click does: with
    // TCN_SELCHANGING and TCN_SELCHANGE, which show the page.
    SendMessageA(tab, TCM_SETCURFOCUS, next, 0);
    const int page = static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0)) + 1;
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (kControls[i].kind == Kind::kButton && kControls[i].page == page) {
            SetFocus(controls[i]);
            return;
        }
    }
}

}  // namespace ui
