#pragma once
// Drawing a skinned caption and frame straight into the window's DC.
#include <windows.h>

#include "engine/skin/caption.h"
#include "engine/skin/resources.h"

namespace engine {

// At the window's `dpi`. Does nothing where the caption is not ours to draw
// (see caption_layout).
void paint_caption(HWND window, const SkinResources& skin, const CaptionState& state, int dpi);

}  // namespace engine
