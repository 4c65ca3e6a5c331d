#pragma once
// What a skinned window of each kind does with its messages: paint from the
// theme, answer its children's colour questions, track the mouse for hot
// looks, and hand everything else to the native procedure (pass_on). A
// top-level window's frame is frame/frame.h's.
#include <windows.h>

#include "engine/skin/resources.h"
#include "engine/skin/window_state.h"

namespace engine {

// The client side of frames and dialogs: background and children's colours.
LRESULT frame_window_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam, SkinnedWindow& self);
LRESULT button_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam, SkinnedWindow& self);
LRESULT label_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam, SkinnedWindow& self);
LRESULT tab_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam, SkinnedWindow& self);
LRESULT tree_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam, SkinnedWindow& self);

// A tree view takes its colours once, when it is created; one skinned after
// its creation gets them here.
void colour_tree(HWND window, const SkinResources& skin);

}  // namespace engine
