#include "packs/entry_buttons.h"

#include "packs/catalogue.h"
#include "packs/messages.h"
#include "runtime/message_box.h"
#include "runtime/queued_input.h"

namespace packs {

namespace {

// Task-modal, one OK button, no icon, no owner: no second operation can
// start while it is up. Keys and clicks that came while the pack was being
// written are dropped first: they would close the box unread.
void show_in_box(std::string_view text) {
    runtime::discard_queued_input();
    runtime::message_box(text, 0, runtime::kMessageTitle);
}

OperationHooks program_hooks(GameDirectoryReader read_game_directory) {
    return OperationHooks{read_game_directory, show_in_box, runtime::FileSteps{}};
}

}  // namespace

void apply_pack(int entry_number, GameDirectoryReader read_game_directory) {
    const CatalogueEntry& entry = catalogue_entry(entry_number);
    apply_pack_files(PackFiles{entry.pack_file_name, entry.archive, entry.manifest},
                     program_hooks(read_game_directory));
}

void restore_pack(int entry_number, GameDirectoryReader read_game_directory) {
    restore_pack_files(catalogue_entry(entry_number).pack_file_name, stock_manifest(),
                       program_hooks(read_game_directory));
}

}  // namespace packs
