#pragma once
// Screen readers ask a control for its accessible object with WM_GETOBJECT.
// The main window's buttons and path field answer with an object of their
// own that gives the name, description and role of accessible_texts.h, the
// state and place of the control, and hands the rest (parent, navigation,
// default action) to the system's standard object where there is one.
// oleacc and oleaut32 are loaded at the first request, from the system folder.
#include <windows.h>

#include "ui/control_table.h"

namespace ui {

// Subclasses the control so that it answers WM_GETOBJECT for its client
// object (OBJID_CLIENT); every other request and message goes on as before.
bool make_accessible(HWND control, const ControlRecord& record);

}  // namespace ui
