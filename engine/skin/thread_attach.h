#pragma once
// Putting a theme in force on the calling thread.
#include "engine/attach_result.h"
#include "engine/core/theme.h"

namespace engine {

// Replaces the thread's previous theme, skins its existing windows and hooks
// the creation of new ones.
AttachResult attach_to_current_thread(const Theme& theme);

}  // namespace engine
