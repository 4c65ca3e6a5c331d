#pragma once
#include <cstdint>

#include "ui/control_table.h"

namespace app {

// Runs the operation bound to the event, if any, and returns when it has run
// to its end. `record` is the table record of the control (or the window)
// that raised the event, as the window found it; null when the sender is in
// no table. Events are dropped while a fatal error or an end is under way;
// an unknown window or control is the fatal runtime error. Called again from
// inside a handler's modal loop, it nests.
void deliver_event(std::uint32_t window_id, const ui::ControlRecord* record, ui::Event event);

}  // namespace app
