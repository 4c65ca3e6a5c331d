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

}  // namespace ui
