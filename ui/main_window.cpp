#include "ui/main_window.h"

#include <commctrl.h>

#include "ui/accessible_texts.h"
#include "ui/control_accessible.h"
#include "ui/resource.h"
#include "ui/tab_pages.h"
#include "ui/transparent_label.h"
#include "win32/dpi.h"

namespace ui {
namespace {

constexpr UINT_PTR kTabSubclassId = 1;

struct LoadedWindow {
    HWND window = nullptr;
    HWND controls[kControls.size()] = {};
    EventSink sink = nullptr;
    bool complete = false;  // every control exists
    int dpi = win32::kBaseDpi;  // what the window and its controls are laid out for
    win32::UniqueFont font;     // the GUI font made for that DPI; empty: the stock one is it
};
LoadedWindow loaded;

HWND tab_control() { return control_window(kTabControlId); }

// The buttons of the pages are children of the tab control, so their clicks
// reach it first; the window handles them all in one place.
LRESULT CALLBACK tab_proc(HWND tab, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                          DWORD_PTR) {
    switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return SendMessageA(GetParent(tab), message, wparam, lparam);
    case WM_NCDESTROY:
        RemoveWindowSubclass(tab, tab_proc, kTabSubclassId);
        break;
    }
    return DefSubclassProc(tab, message, wparam, lparam);
}

// The table record of one of the window's controls, found by the control's
// place among them; null for any other sender. The id in wparam would not do:
// it is cut to 16 bits.
const ControlRecord* record_of(HWND control) {
    for (std::size_t i = 0; i < kControls.size(); ++i)
        if (loaded.controls[i] == control) return &kControls[i];
    return nullptr;
}

void on_command(HWND window, WPARAM wparam, LPARAM lparam) {
    HWND control = reinterpret_cast<HWND>(lparam);
    if (control == nullptr) {
        // The dialog keyboard interface turns Esc into IDCANCEL: close the
        // window exactly as its close button does.
        if (LOWORD(wparam) == IDCANCEL) SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    }
    if (HIWORD(wparam) == BN_CLICKED && loaded.sink != nullptr)
        loaded.sink(kMainWindowId, record_of(control), Event::kClick);
}

// Not repainted here: the window is still hidden, or redrawn whole once laid out.
void set_rect(HWND window, const RECT& rect) {
    MoveWindow(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
}

// Moved to a monitor of another DPI: the window takes the rectangle Windows
// suggests, and every control its place and font at the new DPI. The old
// font goes only once no control uses it.
void on_dpi_changed(HWND window, int dpi, const RECT& suggested) {
    win32::UniqueFont font = win32::gui_font_for(dpi);
    const auto use = reinterpret_cast<WPARAM>(win32::font_or_gui(font));
    set_rect(window, suggested);
    SendMessageA(window, WM_SETFONT, use, FALSE);
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        set_rect(loaded.controls[i], scaled_rect(kControls[i], dpi));
        SendMessageA(loaded.controls[i], WM_SETFONT, use, FALSE);
    }
    loaded.font = std::move(font);
    loaded.dpi = dpi;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_DPICHANGED:
        if (loaded.complete) on_dpi_changed(window, LOWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
        return 0;
    case WM_COMMAND:
        on_command(window, wparam, lparam);
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lparam);
        if (header->hwndFrom == tab_control() && header->code == TCN_SELCHANGE)
            show_selected_page(window, header->hwndFrom, loaded.controls);
        return 0;
    }
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wparam);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_DESTROY:
        // The program's only window: its end is the end of the message loop.
        // A window that failed half-way is no end: the frame reports it, and a
        // quit message would close that report's box at once.
        if (loaded.complete) PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        loaded = LoadedWindow{};
        break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

bool register_class() {
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hIcon = LoadIconA(window_class.hInstance, MAKEINTRESOURCEA(kIconResourceId));
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kMainWindowClassName;
    return RegisterClassExA(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

struct ClassAndStyle {
    const char* class_name;
    DWORD style;
    DWORD ex_style;
};

ClassAndStyle class_and_style(const ControlRecord& record) {
    DWORD style = WS_CHILD;
    if (record.tab_stop) style |= WS_TABSTOP;
    switch (record.kind) {
    case Kind::kLabel:
        // SS_CENTERIMAGE centres one line of text vertically.
        return {"Static", style | SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, 0};
    case Kind::kTransparentLabel:
        // It paints itself, but SS_CENTERIMAGE still says how: a skinning
        // engine that draws statics by their style then draws it the same.
        return {"Static", style | SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, WS_EX_TRANSPARENT};
    case Kind::kButton:
        return {"Button", style | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER, 0};
    case Kind::kTab:
        // Its pages' controls are its children: let the Tab key walk into
        // them, and keep its own painting off the buttons.
        return {WC_TABCONTROLA, style | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT};
    case Kind::kWindow:
        break;
    }
    return {nullptr, 0, 0};
}

bool create_control(std::size_t index, HFONT font, int dpi) {
    const ControlRecord& record = kControls[index];
    HWND parent = record.parent == kNoParent ? loaded.window : control_window(record.parent);
    if (parent == nullptr) return false;
    ClassAndStyle cs = class_and_style(record);
    const bool visible = record.parent == kNoParent || record.page == kFirstPage;
    if (visible) cs.style |= WS_VISIBLE;
    const char* text = record.kind == Kind::kTab ? "" : record.text;
    const RECT rect = scaled_rect(record, dpi);
    HWND control = CreateWindowExA(
        cs.ex_style, cs.class_name, text, cs.style, rect.left, rect.top, rect.right - rect.left,
        rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(record.id)),
        GetModuleHandleA(nullptr), nullptr);
    if (control == nullptr) return false;
    loaded.controls[index] = control;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (accessible_texts(record).role != 0 && !make_accessible(control, record)) return false;
    if (record.kind == Kind::kTransparentLabel) return make_transparent_label(control);
    if (record.kind == Kind::kTab) {
        for (int page = 0; page < packs::kPageCount; ++page) {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(packs::kPageCaptions[page]);
            if (SendMessageA(control, TCM_INSERTITEMA, page, reinterpret_cast<LPARAM>(&item)) < 0)
                return false;
        }
        SendMessageA(control, TCM_SETCURSEL, kFirstPage - 1, 0);
        return SetWindowSubclass(control, tab_proc, kTabSubclassId, 0) != FALSE;
    }
    return true;
}

// The window at `dpi`, centred on the screen.
RECT centred_window(int dpi) {
    const RECT size = scaled_rect(kWindowRecord, dpi);
    const POINT at = centred_position(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                      size.right, size.bottom);
    return RECT{at.x, at.y, at.x + size.right, at.y + size.bottom};
}

}  // namespace

POINT centred_position(int screen_width, int screen_height, int width, int height) {
    // Integer division truncates toward zero, also for negative differences.
    return POINT{(screen_width - width) / 2, (screen_height - height) / 2};
}

RECT scaled_rect(const ControlRecord& record, int dpi) {
    using win32::scale;
    const int left = scale(record.left, dpi), top = scale(record.top, dpi);
    return RECT{left, top, left + scale(record.width, dpi), top + scale(record.height, dpi)};
}

HWND create_main_window(EventSink sink) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    if (!register_class()) return nullptr;

    // Made for the screen's DPI; a window that lands on a monitor of another
    // (Windows 10 with several) is laid out again for that one.
    const int screen_dpi = win32::system_dpi();
    const RECT place = centred_window(screen_dpi);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    HWND window = CreateWindowExA(0, kMainWindowClassName, kWindowRecord.text, style, place.left,
                                  place.top, place.right - place.left, place.bottom - place.top,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) return nullptr;
    loaded.window = window;
    loaded.sink = sink;
    loaded.dpi = win32::window_dpi(window);
    if (loaded.dpi != screen_dpi) set_rect(window, centred_window(loaded.dpi));

    loaded.font = win32::gui_font_for(loaded.dpi);
    HFONT font = win32::font_or_gui(loaded.font);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (!create_control(i, font, loaded.dpi)) {
            DestroyWindow(window);
            return nullptr;
        }
    }
    // As a dialog starts: the focus rectangle and the accelerators hidden after
    // a mouse (until a key is used), shown after a key or where Windows is set
    // to show them always.
    SendMessageA(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    loaded.complete = true;
    return window;
}

bool take_window_key(const MSG& message) {
    if (!loaded.complete || message.message != WM_KEYDOWN) return false;
    if (message.hwnd != loaded.window && !IsChild(loaded.window, message.hwnd)) return false;
    const int step = page_step(message);
    if (message.wParam == VK_TAB || step != 0)
        SendMessageA(loaded.window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    if (step == 0) return false;
    turn_page(tab_control(), step, loaded.controls);
    return true;
}

HWND loaded_window(std::uint32_t window_id) {
    return window_id == kMainWindowId ? loaded.window : nullptr;
}

HWND control_window(std::uint32_t control_id) {
    for (std::size_t i = 0; i < kControls.size(); ++i)
        if (kControls[i].id == control_id) return loaded.controls[i];
    return nullptr;
}

}  // namespace ui
