// The rows' buttons run the pack operations, which read the path field afresh
// for every path they build.
#include "app/entry_operations.h"

#include "packs/operations.h"
#include "ui/path_field.h"

namespace app {

void apply_entry(int entry) { packs::apply_pack(entry, &ui::read_game_directory); }

void restore_entry(int entry) { packs::restore_pack(entry, &ui::read_game_directory); }

}  // namespace app
