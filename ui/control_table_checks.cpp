// Compile-time checks of the control table: a slip in the data (a duplicated
// id, a button bound to the wrong entry, a row off its page) fails the build
// instead of pressing the wrong pack into someone's game folder.
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

// Every control of a page lies inside the tab control, and none covers
// another of its page.
constexpr bool rows_lie_inside_their_page() {
    const ControlRecord& tab = *find_record(kTabControlId);
    for (const ControlRecord& c : kControls) {
        const bool held = c.parent != kNoParent;
        if (!held) {
            if (c.page != 0) return false;
            continue;
        }
        if (c.parent != kTabControlId || c.page < 1 || c.page > packs::kPageCount) return false;
        if (c.left < 0 || c.top < 0 || c.left + c.width > tab.width || c.top + c.height > tab.height)
            return false;
        for (const ControlRecord& other : kControls) {
            if (&other == &c || other.parent != kTabControlId || other.page != c.page) continue;
            if (c.left < other.left + other.width && other.left < c.left + c.width &&
                c.top < other.top + other.height && other.top < c.top + c.height)
                return false;
        }
    }
    return true;
}

// Every entry has exactly one "修改" and one "恢复" button, on its own page,
// and nothing else runs an entry's operation.
constexpr bool each_entry_has_one_button_of_each_kind() {
    for (int entry = 1; entry <= kEntryCount; ++entry) {
        int applies = 0, restores = 0;
        for (const ControlRecord& c : kControls) {
            if (c.binding.entry != entry) continue;
            if (c.binding.event != Event::kClick || c.kind != Kind::kButton) return false;
            if (c.page != packs::kEntryRows[entry - 1].page) return false;
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
        if (applies != 1 || restores != 1) return false;
    }
    return true;
}

static_assert(ids_are_unique());
static_assert(only_buttons_are_tab_stops());
static_assert(rows_lie_inside_their_page());
static_assert(each_entry_has_one_button_of_each_kind());
static_assert(find_record(kPathFieldId)->kind == Kind::kLabel);
static_assert(find_record(kMainWindowId) == &kWindowRecord);
static_assert(find_record(0x12345678) == nullptr);

}  // namespace
}  // namespace ui
