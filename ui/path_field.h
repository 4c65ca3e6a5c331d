#pragma once
// The path field holds the game directory: the one piece of state that
// start-up writes and the pack operations read.
#include <string_view>

#include "runtime/text.h"

namespace ui {

runtime::Text read_game_directory();
void write_game_directory(std::string_view directory);

}  // namespace ui
