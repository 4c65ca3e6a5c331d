#pragma once
// The "修改" and "恢复" buttons of catalogue entry 1..kEntryCount: the entry's
// pack files from the catalogue, run with the program's own surroundings (the
// path field, a box titled "提示", the system's file steps).
#include "packs/pack_operations.h"

namespace packs {

// Writes the entry's archive into the game's Game folder, then its manifest,
// and says how it went in a box titled "提示".
void apply_pack(int entry_number, GameDirectoryReader read_game_directory);

// Deletes the entry's archive and writes the stock manifest back.
void restore_pack(int entry_number, GameDirectoryReader read_game_directory);

}  // namespace packs
