#include "ui/accessible_texts.h"

#include <windows.h>
#include <oleacc.h>

namespace ui {
namespace {

constexpr char kPathFieldName[] = "游戏路径";
constexpr char kApplyDescription[] = "把这个皮肤包装进游戏";
constexpr char kRestoreDescription[] = "把这个皮肤包从游戏里去掉";

}  // namespace

AccessibleTexts accessible_texts(const ControlRecord& record) {
    if (record.id == kPathFieldId) return {kPathFieldName, nullptr, ROLE_SYSTEM_STATICTEXT};
    if (record.kind != Kind::kButton) return {{}, nullptr, 0};
    const Binding& binding = record.binding;
    const bool apply = binding.operation == Operation::kApplyEntry;
    if (!apply && binding.operation != Operation::kRestoreEntry) return {record.text, nullptr, ROLE_SYSTEM_PUSHBUTTON};
    // The label the row shows, from the catalogue: "修改 电玩安妮".
    const char* label = packs::kEntryRows[binding.entry - 1].label;
    return {runtime::join_texts({record.text, " ", label}), apply ? kApplyDescription : kRestoreDescription,
            ROLE_SYSTEM_PUSHBUTTON};
}

}  // namespace ui
