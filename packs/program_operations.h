#pragma once
// The "修改" and "恢复" buttons of every catalogue entry.
#include "runtime/text.h"

namespace packs {

using GameDirectoryReader = runtime::Text (*)();   // reads the path field afresh each call

// Writes the entry's archive into the game's Game folder, then its manifest,
// and says how it went in a box titled "提示".
void apply_pack(int entry_number, GameDirectoryReader read_game_directory);

// Deletes the entry's archive and writes the stock manifest back.
void restore_pack(int entry_number, GameDirectoryReader read_game_directory);

}  // namespace packs
