#pragma once
// The apply and restore steps over given pack files, with the program's
// surroundings (path field, message box, file steps) passed in, so that
// tests run them on their own bytes and read the messages instead of boxes.
#include <string_view>

#include "runtime/byte_set.h"
#include "runtime/file_steps.h"
#include "runtime/text.h"

namespace packs {

using GameDirectoryReader = runtime::Text (*)();   // reads the path field afresh each call

struct PackFiles {
    std::string_view file_name;  // GBK, inside the Game folder
    runtime::ByteSet archive;
    runtime::ByteSet manifest;   // the list written where the game's holds nothing else
};

struct OperationHooks {
    GameDirectoryReader read_game_directory;
    void (*show_message)(std::string_view text);  // the closing box
    runtime::FileSteps files;
};

// Every step is checked; the first failure ends the operation with a message
// naming what failed, the path and the reason, and leaves every file it did
// not finish as it was. An empty game directory writes nothing anywhere, and
// neither does one whose paths would pass the system's limit (the list's
// backup among them, when the press needs one), nor one whose list cannot be
// read. A file held for a moment is waited for (runtime::write_file); a file
// the player marked read-only, hidden or system is refused at once, never
// replaced (nor, when read-only, deleted).
// Each first clears the temporary files a killed run left in Game. Apply
// writes the archive before the list, restore the list before it deletes the
// archive: the list never names an archive that is not whole. The list keeps
// every line of the game's own that names no catalogue pack; apply adds its
// pack's name, restore nothing (manifest_to_write).
void apply_pack_files(const PackFiles& pack, const OperationHooks& hooks);
void restore_pack_files(std::string_view pack_file_name, runtime::ByteSet stock,
                        const OperationHooks& hooks);

}  // namespace packs
