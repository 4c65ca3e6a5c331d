#include "ui/properties.h"

#include <windows.h>

#include "runtime/fatal_error.h"
#include "ui/control_table.h"
#include "ui/main_window.h"
#include "ui/transparent_label.h"
#include "win32/window.h"

namespace ui {
namespace {

constexpr char kWindowNotLoaded[] = "未载入欲访问窗口组件所在的窗口";
constexpr char kControlNotFound[] = "未找到欲访问的窗口组件";

struct Addressed {
    HWND window;
    const ControlRecord* record;
};

Addressed address(std::uint32_t window_id, std::uint32_t control_id) {
    if (loaded_window(window_id) == nullptr) runtime::fatal_error(0, kWindowNotLoaded);
    const ControlRecord* record = find_record(control_id);
    HWND window = record == nullptr ? nullptr
                  : record->kind == Kind::kWindow ? loaded_window(window_id)
                                                 : control_window(control_id);
    if (window == nullptr) runtime::fatal_error(0, kControlNotFound);
    return {window, record};
}

bool has_caption(Kind kind) {
    return kind == Kind::kLabel || kind == Kind::kTransparentLabel || kind == Kind::kButton;
}

// The rectangle in the parent's client coordinates (screen for the window).
RECT placement(HWND window) {
    RECT area;
    GetWindowRect(window, &area);
    if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&area), 2);
    return area;
}

}  // namespace

std::int32_t get_number_property(std::uint32_t window_id, std::uint32_t control_id,
                                 int number) {
    const Addressed target = address(window_id, control_id);
    const RECT area = placement(target.window);
    switch (number) {
    case kPropertyLeft: return area.left;
    case kPropertyTop: return area.top;
    case kPropertyWidth: return area.right - area.left;
    case kPropertyHeight: return area.bottom - area.top;
    case kPropertyVisible: return (GetWindowLongA(target.window, GWL_STYLE) & WS_VISIBLE) != 0;
    case kPropertyDisabled: return IsWindowEnabled(target.window) ? 0 : 1;
    }
    return 0;
}

void set_number_property(std::uint32_t window_id, std::uint32_t control_id, int number,
                         std::int32_t value) {
    const Addressed target = address(window_id, control_id);
    RECT area = placement(target.window);
    switch (number) {
    case kPropertyLeft: OffsetRect(&area, value - area.left, 0); break;
    case kPropertyTop: OffsetRect(&area, 0, value - area.top); break;
    case kPropertyWidth: area.right = area.left + value; break;
    case kPropertyHeight: area.bottom = area.top + value; break;
    case kPropertyVisible: ShowWindow(target.window, value != 0 ? SW_SHOWNA : SW_HIDE); return;
    case kPropertyDisabled: EnableWindow(target.window, value == 0); return;
    default: return;
    }
    MoveWindow(target.window, area.left, area.top, area.right - area.left,
               area.bottom - area.top, TRUE);
}

runtime::Text get_text_property(std::uint32_t window_id, std::uint32_t control_id, int number) {
    const Addressed target = address(window_id, control_id);
    if (number != kPropertyCaption || !has_caption(target.record->kind)) return {};
    return win32::window_text(target.window);
}

void set_text_property(std::uint32_t window_id, std::uint32_t control_id, int number,
                       std::string_view text) {
    const Addressed target = address(window_id, control_id);
    if (number != kPropertyCaption || !has_caption(target.record->kind)) return;
    // A copy that ends at the first zero byte, as every text does.
    const runtime::Text copy(text.substr(0, runtime::text_length(text)));
    SetWindowTextA(target.window, copy.c_str());
    if (target.record->kind == Kind::kTransparentLabel) {
        repaint_transparent_label(target.window);
    } else {
        InvalidateRect(target.window, nullptr, TRUE);
        UpdateWindow(target.window);
    }
}

}  // namespace ui
