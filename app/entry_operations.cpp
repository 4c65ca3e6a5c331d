// The "修改" and "恢复" buttons of each row run the pack operations of their
// own catalogue entry, over the game directory in the path field.
#include "app/entry_operations.h"

#include "packs/entry_buttons.h"
#include "ui/path_field.h"

namespace app {

void apply_entry(int entry) { packs::apply_pack(entry, ui::read_game_directory); }

void restore_entry(int entry) { packs::restore_pack(entry, ui::read_game_directory); }

}  // namespace app
