#pragma once
// Pressing the program's buttons from the driver and checking what lands on
// the disk, for the tests that press.
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include "app/tests/driver/tool.h"
#include "runtime/byte_set.h"

namespace driver {

std::string bytes_of(runtime::ByteSet bytes);
DWORD file_size(const std::string& path);  // 0xFFFFFFFF when it cannot be read
bool file_missing(const std::string& path);

// Presses the button and returns the text of the box it brings up, after
// checking that the box is task-modal and closing it.
std::string press(const Tool& tool, std::uint32_t id);

// Keys pressed in order and released in reverse, as on the keyboard: they go
// to the foreground thread, to whichever window has the focus when fetched.
void type_keys(std::initializer_list<WORD> keys);

// The ids of an entry's "修改" and "恢复".
std::pair<std::uint32_t, std::uint32_t> row_buttons(int entry);

}  // namespace driver
