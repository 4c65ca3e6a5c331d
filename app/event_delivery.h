#pragma once
#include <cstdint>

#include "ui/control_table.h"

namespace app {

// Runs the operation bound to the event, if any, and returns when it has run
// to its end. Events are dropped while a fatal error or an end is under way;
// an unknown window or control is the fatal runtime error. Called again from
// inside a handler's modal loop, it nests.
void deliver_event(std::uint32_t window_id, std::uint32_t control_id, ui::Event event);

}  // namespace app
