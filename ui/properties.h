#pragma once
// Property access to the controls of a loaded window, by window id, control
// id and property number. Numbers 0 to 7 are common to every control: 0 left,
// 1 top, 2 width, 3 height (relative to the parent's client area), 5 visible,
// 6 disabled; 4 and 7 are reserved and read as 0. Number 8 of a label, a
// transparent label or a button is its caption text.
//
// Properties are numbered, not named, on purpose: the handlers address the
// path field's caption as (window, control, 8), and the numbers are the ones
// every caller and test relies on; keep them rather than an enum per kind.
//
// Addressing a window that is not loaded, or a control that the window does
// not have, is the fatal runtime error: no caller can go on without the value.
#include <cstdint>
#include <string_view>

#include "runtime/text.h"

namespace ui {

inline constexpr int kPropertyLeft = 0;
inline constexpr int kPropertyTop = 1;
inline constexpr int kPropertyWidth = 2;
inline constexpr int kPropertyHeight = 3;
inline constexpr int kPropertyVisible = 5;
inline constexpr int kPropertyDisabled = 6;
inline constexpr int kPropertyCaption = 8;

// A number property; 0 for a number the control does not have.
std::int32_t get_number_property(std::uint32_t window_id, std::uint32_t control_id, int number);
void set_number_property(std::uint32_t window_id, std::uint32_t control_id, int number,
                         std::int32_t value);

// A text property as a fresh copy; the empty text for a number the control
// has no text under.
runtime::Text get_text_property(std::uint32_t window_id, std::uint32_t control_id, int number);
// Copies the text in and repaints the control at once.
void set_text_property(std::uint32_t window_id, std::uint32_t control_id, int number,
                       std::string_view text);

}  // namespace ui
