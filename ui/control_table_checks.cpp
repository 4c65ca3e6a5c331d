// Compile-time checks of the control table: a slip in the data (a duplicated
// id, a button bound to the wrong entry) fails the build instead of pressing
// the wrong pack into someone's game folder.
#include "ui/control_table.h"

namespace ui {
namespace {

constexpr bool ids_are_unique() {
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        // Win32 reserves 1 and 2 for IDOK and IDCANCEL (Enter and Esc).
        if (kControls[i].id == kMainWindowId || kControls[i].id <= 2) return false;
        for (std::size_t j = i + 1; j < kControls.size(); ++j)
            if (kControls[i].id == kControls[j].id) return false;
    }
    return true;
}

constexpr bool only_buttons_are_tab_stops() {
    for (const ControlRecord& c : kControls)
        if (c.tab_stop != (c.kind == Kind::kButton)) return false;
    return true;
}

constexpr bool pages_are_consistent() {
    for (const ControlRecord& c : kControls) {
        const bool held = c.parent != kNoParent;
        if (held && (c.parent != kTabControlId || c.page < 1 || c.page > 2)) return false;
        if (!held && c.page != 0) return false;
    }
    return true;
}

// Every entry has exactly one "修改" and one "恢复" button, on one page, and
// nothing else runs an entry's operation.
constexpr bool each_entry_has_one_button_of_each_kind() {
    for (int entry = 1; entry <= kEntryCount; ++entry) {
        int applies = 0, restores = 0, page = 0;
        for (const ControlRecord& c : kControls) {
            if (c.binding.entry != entry) continue;
            if (c.binding.event != Event::kClick || c.kind != Kind::kButton) return false;
            if (page != 0 && page != c.page) return false;
            page = c.page;
            const char* expected = nullptr;
            if (c.binding.operation == Operation::kApplyEntry) {
                ++applies;
                expected = "修改";
            } else if (c.binding.operation == Operation::kRestoreEntry) {
                ++restores;
                expected = "恢复";
            } else {
                return false;
            }
            if (std::string_view(c.text) != expected) return false;
        }
        if (applies != 1 || restores != 1 || page != (entry <= 12 ? 1 : 2)) return false;
    }
    return true;
}

constexpr int count(Kind kind, int page) {
    int n = 0;
    for (const ControlRecord& c : kControls)
        if (c.kind == kind && c.page == page) ++n;
    return n;
}

static_assert(ids_are_unique());
static_assert(only_buttons_are_tab_stops());
static_assert(pages_are_consistent());
static_assert(each_entry_has_one_button_of_each_kind());
static_assert(count(Kind::kTransparentLabel, 1) == 12 && count(Kind::kTransparentLabel, 2) == 5);
static_assert(count(Kind::kButton, 1) == 24 && count(Kind::kButton, 2) == 10);
static_assert(find_record(kPathFieldId)->kind == Kind::kLabel);
static_assert(find_record(kMainWindowId) == &kWindowRecord);
static_assert(find_record(0x12345678) == nullptr);

}  // namespace
}  // namespace ui
