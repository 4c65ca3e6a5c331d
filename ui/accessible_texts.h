#pragma once
// What a screen reader says of a control of the main window. A row's two
// buttons have the same captions on every row; their names add the row's
// label, so that each says which pack it is for.
#include "runtime/text.h"
#include "ui/control_table.h"

namespace ui {

struct AccessibleTexts {
    runtime::Text name;       // GBK
    const char* description;  // GBK; null: none
    long role;                // ROLE_SYSTEM_*; 0: the control keeps the system's object
};

// Every button (a row's: caption and row label; the notice button: its
// caption) and the path field; a role of 0 for every other control.
AccessibleTexts accessible_texts(const ControlRecord& record);

}  // namespace ui
