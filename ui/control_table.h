#pragma once
// The main window as data: one record for the window and one for each of its
// 54 controls. Nothing is created, moved or re-captioned at run time except
// the path field's text; the window code only walks this table.
#include <array>
#include <cstdint>
#include <string_view>

#include "packs/entry_rows.h"

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

inline constexpr std::array<const char*, 2> kPageCaptions{"电玩", "源计划"};
inline constexpr int kFirstPage = 1;

namespace detail {

// Ids of the page controls: labels 0x1602xxxx, buttons 0x1603xxxx, the low
// half being the number in the control's name. Kept clear of IDOK and
// IDCANCEL, which the dialog keyboard interface sends on Enter and Esc.
constexpr std::uint32_t label_id(int n) { return 0x16020000u + static_cast<std::uint32_t>(n); }
constexpr std::uint32_t button_id(int n) { return 0x16030000u + static_cast<std::uint32_t>(n); }

// A row's label, page and entry come from the catalogue (packs/entry_rows.h):
// the window cannot show one pack's name over another's buttons.
constexpr int page_of(int entry) { return packs::kEntryRows[entry - 1].page; }

constexpr ControlRecord row_label(const char* name, int n, int entry, int left, int top) {
    return {Kind::kTransparentLabel, name, label_id(n), kTabControlId, page_of(entry), left, top, 128, 32,
            packs::kEntryRows[entry - 1].label, false, {}};
}
constexpr ControlRecord apply_button(const char* name, int n, int entry, int left, int top) {
    return {Kind::kButton, name, button_id(n), kTabControlId, page_of(entry), left, top, 96, 32, "修改",
            true, {Event::kClick, Operation::kApplyEntry, entry}};
}
constexpr ControlRecord restore_button(const char* name, int n, int entry, int left, int top) {
    return {Kind::kButton, name, button_id(n), kTabControlId, page_of(entry), left, top, 96, 32, "恢复",
            true, {Event::kClick, Operation::kRestoreEntry, entry}};
}

}  // namespace detail

// In creation order, which is also the Tab order: the client-area controls,
// then each entry row's label, apply and restore button.
inline constexpr std::array<ControlRecord, 54> kControls{{
    {Kind::kLabel, "标签1", kPathFieldId, kNoParent, 0, 32, 16, 312, 32, "标签", false, {}},
    {Kind::kButton, "按钮61", kNoticeButtonId, kNoParent, 0, 560, 8, 200, 32, "关于群", true,
     {Event::kClick, Operation::kGroupNotice, 0}},
    {Kind::kTab, "选择夹1", kTabControlId, kNoParent, 0, 0, 48, 808, 400, "电玩", false, {}},

    detail::row_label("透明标签2", 2, 1, 32, 40),
    detail::apply_button("按钮1", 1, 1, 8, 80),
    detail::restore_button("按钮2", 2, 1, 112, 80),
    detail::row_label("透明标签4", 4, 2, 224, 40),
    detail::apply_button("按钮5", 5, 2, 224, 80),
    detail::restore_button("按钮6", 6, 2, 328, 80),
    detail::row_label("透明标签8", 8, 3, 456, 40),
    detail::apply_button("按钮13", 13, 3, 440, 80),
    detail::restore_button("按钮14", 14, 3, 544, 80),
    detail::row_label("透明标签3", 3, 4, 24, 128),
    detail::apply_button("按钮3", 3, 4, 8, 168),
    detail::restore_button("按钮4", 4, 4, 112, 168),
    detail::row_label("透明标签5", 5, 5, 232, 128),
    detail::apply_button("按钮7", 7, 5, 224, 168),
    detail::restore_button("按钮8", 8, 5, 336, 168),
    detail::row_label("透明标签9", 9, 6, 456, 128),
    detail::apply_button("按钮15", 15, 6, 440, 168),
    detail::restore_button("按钮16", 16, 6, 552, 168),
    detail::row_label("透明标签6", 6, 7, 24, 216),
    detail::apply_button("按钮9", 9, 7, 16, 256),
    detail::restore_button("按钮10", 10, 7, 120, 256),
    detail::row_label("透明标签7", 7, 8, 240, 216),
    detail::apply_button("按钮11", 11, 8, 232, 256),
    detail::restore_button("按钮12", 12, 8, 336, 256),
    detail::row_label("透明标签11", 11, 9, 472, 216),
    detail::apply_button("按钮17", 17, 9, 440, 256),
    detail::restore_button("按钮18", 18, 9, 560, 256),
    detail::row_label("透明标签12", 12, 10, 32, 312),
    detail::apply_button("按钮21", 21, 10, 16, 352),
    detail::restore_button("按钮22", 22, 10, 120, 352),
    detail::row_label("透明标签13", 13, 11, 256, 312),
    detail::apply_button("按钮23", 23, 11, 232, 352),
    detail::restore_button("按钮24", 24, 11, 344, 352),
    detail::row_label("透明标签14", 14, 12, 464, 312),
    detail::apply_button("按钮25", 25, 12, 456, 352),
    detail::restore_button("按钮26", 26, 12, 568, 352),

    detail::row_label("透明标签10", 10, 13, 24, 32),
    detail::apply_button("按钮19", 19, 13, 8, 64),
    detail::restore_button("按钮20", 20, 13, 112, 64),
    detail::row_label("透明标签16", 16, 14, 240, 32),
    detail::apply_button("按钮29", 29, 14, 216, 64),
    detail::restore_button("按钮30", 30, 14, 328, 64),
    detail::row_label("透明标签15", 15, 15, 16, 112),
    detail::apply_button("按钮27", 27, 15, 8, 152),
    detail::restore_button("按钮28", 28, 15, 112, 152),
    detail::row_label("透明标签17", 17, 16, 224, 112),
    detail::apply_button("按钮31", 31, 16, 216, 152),
    detail::restore_button("按钮32", 32, 16, 328, 152),
    detail::row_label("透明标签18", 18, 17, 24, 208),
    detail::apply_button("按钮33", 33, 17, 8, 248),
    detail::restore_button("按钮34", 34, 17, 112, 248),
}};

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
