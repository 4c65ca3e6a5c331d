#include "ui/tab_pages.h"

#include <commctrl.h>

#include "ui/control_table.h"
#include "ui/main_window.h"

namespace ui {

void show_selected_page(HWND main_window, HWND tab) {
    const int page = static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0)) + 1;
    HWND focus = GetFocus();
    // Hide first, then show: the two pages overlap.
    for (const ControlRecord& record : kControls) {
        if (record.parent == kTabControlId && record.page != page) {
            HWND control = control_window(record.id);
            if (control == focus) SetFocus(main_window);
            ShowWindow(control, SW_HIDE);
        }
    }
    for (const ControlRecord& record : kControls)
        if (record.parent == kTabControlId && record.page == page)
            ShowWindow(control_window(record.id), SW_SHOWNA);
    // The labels paint over the tab's body; repaint both in that order.
    RedrawWindow(tab, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace ui
