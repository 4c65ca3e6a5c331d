#pragma once
// The main window as data: one record for the window and one for each of its
// 54 controls. Nothing is created, moved or re-captioned at run time except
// the path field's text; the window code only walks this table.
#include <array>
#include <cstdint>
#include <string_view>

namespace ui {

enum class Kind : std::uint8_t { kWindow, kLabel, kButton, kTab, kTransparentLabel };

enum class Event : std::uint8_t { kNone, kCreated, kClick };

// What a bound event runs. The entry operations carry their catalogue entry
// number (1..17); the app layer maps each operation to its handler, so the
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

constexpr ControlRecord row_label(const char* name, int n, int page, int left, int top,
                                  const char* text) {
    return {Kind::kTransparentLabel, name, label_id(n), kTabControlId, page, left, top, 128, 32,
            text, false, {}};
}
constexpr ControlRecord apply_button(const char* name, int n, int page, int left, int top,
                                     int entry) {
    return {Kind::kButton, name, button_id(n), kTabControlId, page, left, top, 96, 32, "修改",
            true, {Event::kClick, Operation::kApplyEntry, entry}};
}
constexpr ControlRecord restore_button(const char* name, int n, int page, int left, int top,
                                       int entry) {
    return {Kind::kButton, name, button_id(n), kTabControlId, page, left, top, 96, 32, "恢复",
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

    detail::row_label("透明标签2", 2, 1, 32, 40, "电玩安妮"),
    detail::apply_button("按钮1", 1, 1, 8, 80, 1),
    detail::restore_button("按钮2", 2, 1, 112, 80, 1),
    detail::row_label("透明标签4", 4, 1, 224, 40, "电玩赏金女神"),
    detail::apply_button("按钮5", 5, 1, 224, 80, 2),
    detail::restore_button("按钮6", 6, 1, 328, 80, 2),
    detail::row_label("透明标签8", 8, 1, 456, 40, "电玩 诺克"),
    detail::apply_button("按钮13", 13, 1, 440, 80, 3),
    detail::restore_button("按钮14", 14, 1, 544, 80, 3),
    detail::row_label("透明标签3", 3, 1, 24, 128, "电玩暗夜猎手"),
    detail::apply_button("按钮3", 3, 1, 8, 168, 4),
    detail::restore_button("按钮4", 4, 1, 112, 168, 4),
    detail::row_label("透明标签5", 5, 1, 232, 128, "电玩 盖伦"),
    detail::apply_button("按钮7", 7, 1, 224, 168, 5),
    detail::restore_button("按钮8", 8, 1, 336, 168, 5),
    detail::row_label("透明标签9", 9, 1, 456, 128, "电玩 人马"),
    detail::apply_button("按钮15", 15, 1, 440, 168, 6),
    detail::restore_button("按钮16", 16, 1, 552, 168, 6),
    detail::row_label("透明标签6", 6, 1, 24, 216, "电玩九尾狐"),
    detail::apply_button("按钮9", 9, 1, 16, 256, 7),
    detail::restore_button("按钮10", 10, 1, 120, 256, 7),
    detail::row_label("透明标签7", 7, 1, 240, 216, "电玩拉克丝"),
    detail::apply_button("按钮11", 11, 1, 232, 256, 8),
    detail::restore_button("按钮12", 12, 1, 336, 256, 8),
    detail::row_label("透明标签11", 11, 1, 472, 216, "电玩 瑞文"),
    detail::apply_button("按钮17", 17, 1, 440, 256, 9),
    detail::restore_button("按钮18", 18, 1, 560, 256, 9),
    detail::row_label("透明标签12", 12, 1, 32, 312, "电玩 探险家"),
    detail::apply_button("按钮21", 21, 1, 16, 352, 10),
    detail::restore_button("按钮22", 22, 1, 120, 352, 10),
    detail::row_label("透明标签13", 13, 1, 256, 312, "电玩 库奇"),
    detail::apply_button("按钮23", 23, 1, 232, 352, 11),
    detail::restore_button("按钮24", 24, 1, 344, 352, 11),
    detail::row_label("透明标签14", 14, 1, 464, 312, "电玩 战争女神"),
    detail::apply_button("按钮25", 25, 1, 456, 352, 12),
    detail::restore_button("按钮26", 26, 1, 568, 352, 12),

    detail::row_label("透明标签10", 10, 2, 24, 32, "源计划 艾克"),
    detail::apply_button("按钮19", 19, 2, 8, 64, 13),
    detail::restore_button("按钮20", 20, 2, 112, 64, 13),
    detail::row_label("透明标签16", 16, 2, 240, 32, "源计划 雷"),
    detail::apply_button("按钮29", 29, 2, 216, 64, 14),
    detail::restore_button("按钮30", 30, 2, 328, 64, 14),
    detail::row_label("透明标签15", 15, 2, 16, 112, "源计划 火"),
    detail::apply_button("按钮27", 27, 2, 8, 152, 15),
    detail::restore_button("按钮28", 28, 2, 112, 152, 15),
    detail::row_label("透明标签17", 17, 2, 224, 112, "源计划 林"),
    detail::apply_button("按钮31", 31, 2, 216, 152, 16),
    detail::restore_button("按钮32", 32, 2, 328, 152, 16),
    detail::row_label("透明标签18", 18, 2, 24, 208, "源计划 亚索"),
    detail::apply_button("按钮33", 33, 2, 8, 248, 17),
    detail::restore_button("按钮34", 34, 2, 112, 248, 17),
}};

inline constexpr int kEntryCount = 17;

// The window's record when id is the window's own, else the control's; null
// when there is no such record.
constexpr const ControlRecord* find_record(std::uint32_t id) {
    if (id == kWindowRecord.id) return &kWindowRecord;
    for (const ControlRecord& record : kControls)
        if (record.id == id) return &record;
    return nullptr;
}

}  // namespace ui
