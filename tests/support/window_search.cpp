#include "tests/support/window_search.h"

#include "tests/support/deadline.h"
#include "tests/support/window_text.h"

namespace test_support {

namespace {

struct Collect {
    DWORD process_id;
    std::vector<HWND> windows;
};

BOOL CALLBACK collect_window(HWND window, LPARAM context) {
    auto* collect = reinterpret_cast<Collect*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == collect->process_id) collect->windows.push_back(window);
    return TRUE;
}

bool matches(HWND window, const WindowQuery& query) {
    if (query.visible && (IsWindowVisible(window) != FALSE) != *query.visible) return false;
    return query.class_name.empty() || window_class(window) == query.class_name;
}

struct DescendantSearch {
    bool (*matches)(HWND window, const void* context);
    const void* context;
    HWND found;
};

BOOL CALLBACK visit_descendant(HWND window, LPARAM search_address) {
    auto* search = reinterpret_cast<DescendantSearch*>(search_address);
    if (!search->matches(window, search->context)) return TRUE;
    search->found = window;
    return FALSE;
}

bool has_control_id(HWND window, const void* control_id) {
    return GetDlgCtrlID(window) == *static_cast<const int*>(control_id);
}

}  // namespace

std::vector<HWND> top_level_windows(DWORD process_id) {
    Collect collect{process_id, {}};
    EnumWindows(collect_window, reinterpret_cast<LPARAM>(&collect));
    return collect.windows;
}

HWND find_top_level_window(DWORD process_id, const WindowQuery& query) {
    for (HWND window : top_level_windows(process_id))
        if (matches(window, query)) return window;
    return nullptr;
}

HWND wait_for_top_level_window(DWORD process_id, const WindowQuery& query, DWORD timeout_ms) {
    return poll_until(timeout_ms, [&] { return find_top_level_window(process_id, query); });
}

bool wait_for_window_gone(HWND window, DWORD timeout_ms) {
    return poll_until(timeout_ms, [&] { return !IsWindow(window); });
}

HWND find_descendant(HWND parent, bool (*matches)(HWND window, const void* context), const void* context) {
    DescendantSearch search{matches, context, nullptr};
    EnumChildWindows(parent, visit_descendant, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND find_child(HWND parent, int control_id) { return find_descendant(parent, has_control_id, &control_id); }

}  // namespace test_support
