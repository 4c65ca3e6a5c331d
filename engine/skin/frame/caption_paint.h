#pragma once
// Drawing a skinned caption and frame straight into the window's DC.
#include <windows.h>

#include "engine/skin/back_buffer.h"
#include "engine/skin/frame/caption_layout.h"
#include "engine/skin/resources.h"

namespace engine {

// At the window's `dpi`, through `buffer` when it is free. Does nothing where
// the caption is not ours to draw (see caption_layout).
void paint_caption(HWND window, const SkinResources& skin, const CaptionState& state, int dpi,
                   SharedBuffer* buffer);

}  // namespace engine
