#pragma once
// The main window built from the control table. The window knows nothing of
// what its buttons do: it reports each event, with the table record of the
// control that raised it, to the sink that the frame gives it, and the frame
// runs the record's binding.
#include <windows.h>

#include <cstdint>

#include "ui/control_table.h"

namespace ui {

// The main window's class; the tests find the window by it.
inline constexpr char kMainWindowClassName[] = "SkinPackToolMainWindow";

// `record` is the sender's table record, null when the sender is in no table.
using EventSink = void (*)(std::uint32_t window_id, const ControlRecord* record, Event event);

// Creates the window hidden, centred on the screen, with every control of the
// table, page 1 selected, all laid out and in fonts for the DPI of the monitor
// it is on (and again whenever Windows moves it to another). Does not raise the created event: the frame does,
// once this returns. Null when the window cannot be created. Destroying the
// window posts the quit message with code 0.
HWND create_main_window(EventSink sink);

// A key of the message loop, before the dialog keyboard interface sees it:
// the page keys turn the page (true: handled), and the first key that moves
// the focus shows the focus rectangle, as in a dialog.
bool take_window_key(const MSG& message);

// The window with that id while it is loaded, else null.
HWND loaded_window(std::uint32_t window_id);

// The control of the loaded main window with that id, else null.
HWND control_window(std::uint32_t control_id);

// The record's place and size at `dpi`: the table gives them for a 96-DPI
// screen, and this is where they become the screen's pixels. For the window's
// own record, its outer size (left and top 0).
RECT scaled_rect(const ControlRecord& record, int dpi);

// Left and top that centre a window of the given outer size on a screen of
// the given size; negative when the window is the larger, as on small screens.
POINT centred_position(int screen_width, int screen_height, int width, int height);

}  // namespace ui
