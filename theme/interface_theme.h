#pragma once

#include "engine/skinh_el.h"

namespace theme {

// The theme the program starts with.
inline constexpr int kStartupTheme = 5;

// The engine's entry, or a stand-in of the same type in tests.
using AttachRes = decltype(&SkinH_AttachRes);

// Writes the engine file when missing, then hands theme n (1..33) to the
// engine. Any other number hands over a null address and the length 0.
void select_interface_theme(int number);

// The hand-over itself, with the receiver given: a private heap copy of the
// whole stored byte set, its length, the empty text, 0, 0, 0; the copy is
// freed as soon as the receiver returns.
void hand_over_theme(int number, AttachRes attach);

}  // namespace theme
