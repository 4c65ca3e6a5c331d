#pragma once
// The main window as data: one record for the window and one for each of its
// controls. Nothing is created, moved or re-captioned at run time except
// the path field's text; the window code only walks this table.
#include <array>
#include <cstdint>
#include <string_view>

#include "generated/packs/entry_rows.h"

namespace ui {

enum class Kind : std::uint8_t { kWindow, kLabel, kButton, kTab, kTransparentLabel };

enum class Event : std::uint8_t { kNone, kCreated, kClick };

// What a bound event runs. The entry operations carry their catalogue entry
// number (1..kEntryCount); the app layer maps each operation to its handler, so the
// table knows nothing of packs or start-up.
enum class Operation : std::uint8_t { kNone, kStartup, kGroupNotice, kApplyEntry, kRestoreEntry };

struct Binding {
    Event event = Event::kNone;
    Operation operation = Operation::kNone;
    int entry = 0;
};

inline constexpr std::uint32_t kNoParent = 0;

struct ControlRecord {
    Kind kind;
    const char* name;
    std::uint32_t id;
    std::uint32_t parent;  // kNoParent, or the id of the tab control that holds it
    int page;              // 1 or 2 for a control held by the tab control, else 0
    int left, top, width, height;
    const char* text;
    bool tab_stop;
    Binding binding;
};

inline constexpr std::uint32_t kMainWindowId = 0x52010001;
inline constexpr std::uint32_t kPathFieldId = 0x16010019;
inline constexpr std::uint32_t kNoticeButtonId = 0x1601003D;
inline constexpr std::uint32_t kTabControlId = 0x16010040;

// The outer size, frame and title bar included.
inline constexpr int kWindowWidth = 811;
inline constexpr int kWindowHeight = 472;

inline constexpr ControlRecord kWindowRecord{
    Kind::kWindow, "窗口", kMainWindowId, kNoParent, 0, 0, 0, kWindowWidth, kWindowHeight, "",
    false, {Event::kCreated, Operation::kStartup, 0}};

inline constexpr int kFirstPage = 1;

namespace detail {

// Ids of the page controls: labels 0x1602xxxx, buttons 0x1603xxxx, the low
// half being the number in the control's name. Kept clear of IDOK and
// IDCANCEL, which the dialog keyboard interface sends on Enter and Esc.
constexpr std::uint32_t label_id(int n) { return 0x16020000u + static_cast<std::uint32_t>(n); }
constexpr std::uint32_t button_id(int n) { return 0x16030000u + static_cast<std::uint32_t>(n); }

constexpr ControlRecord row_control(Kind kind, std::uint32_t id, const packs::RowControl& c, int page,
                                    const char* text, Binding binding) {
    return {kind, c.name, id, kTabControlId, page, c.left, c.top, c.width, c.height, text,
            kind == Kind::kButton, binding};
}

// The client-area controls, then each entry row's label, apply and restore
// button. A row's label, page and place come from the catalogue
// (generated/packs/entry_rows.h): the window cannot show one pack's name over
// another's buttons.
constexpr auto make_controls() {
    std::array<ControlRecord, 3 + 3 * packs::kEntryCount> controls{{
        {Kind::kLabel, "标签1", kPathFieldId, kNoParent, 0, 32, 16, 312, 32, "标签", false, {}},
        {Kind::kButton, "按钮61", kNoticeButtonId, kNoParent, 0, 560, 8, 200, 32, "关于群", true,
         {Event::kClick, Operation::kGroupNotice, 0}},
        {Kind::kTab, "选择夹1", kTabControlId, kNoParent, 0, 0, 48, 808, 400, packs::kPageCaptions[0], false,
         {}},
    }};
    for (int entry = 1; entry <= packs::kEntryCount; ++entry) {
        const packs::EntryRow& row = packs::kEntryRows[entry - 1];
        ControlRecord* at = &controls[3 * entry];
        at[0] = row_control(Kind::kTransparentLabel, label_id(row.label_control.number), row.label_control,
                            row.page, row.label, {});
        at[1] = row_control(Kind::kButton, button_id(row.apply_button.number), row.apply_button, row.page,
                            "修改", {Event::kClick, Operation::kApplyEntry, entry});
        at[2] = row_control(Kind::kButton, button_id(row.restore_button.number), row.restore_button,
                            row.page, "恢复", {Event::kClick, Operation::kRestoreEntry, entry});
    }
    return controls;
}

}  // namespace detail

// In creation order, which is also the Tab order.
inline constexpr auto kControls = detail::make_controls();

inline constexpr int kEntryCount = packs::kEntryCount;

// The window's record when id is the window's own, else the control's; null
// when there is no such record.
constexpr const ControlRecord* find_record(std::uint32_t id) {
    if (id == kWindowRecord.id) return &kWindowRecord;
    for (const ControlRecord& record : kControls)
        if (record.id == id) return &record;
    return nullptr;
}

}  // namespace ui
