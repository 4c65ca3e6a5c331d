#pragma once

namespace theme {

// The theme the program starts with.
inline constexpr int kStartupTheme = 5;

// The shape of the engine's SkinH_AttachRes as the program calls it (cdecl on
// our side: the production binding forwards to the stdcall DLL entry).
using AttachRes = int (*)(const void* theme, int length, const char* text, int a, int b, int c);

// Writes the engine file when missing, then hands theme n (1..33) to the
// engine. Any other number hands over a null address and the length 0.
void select_interface_theme(int number);

// The hand-over itself, with the receiver given: a private heap copy of the
// whole stored byte set, its length, the empty text, 0, 0, 0; the copy is
// freed as soon as the receiver returns.
void hand_over_theme(int number, AttachRes attach);

}  // namespace theme
