// Runs one apply (of a pack the size of the largest) or one restore on a game
// directory and ends itself, as a kill would, at step point K: before and
// after each written chunk, each move and the delete. Exit codes: kKilled
// when it ended itself, 0 when the operation finished with its success text,
// 1 with any other text, 2 for wrong arguments.
//   packs_kill_helper apply|restore GAME-DIRECTORY K
#include <windows.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "game_folder.h"
#include "kill_points.h"
#include "packs/catalogue.h"
#include "packs/messages.h"
#include "packs/pack_operations.h"

namespace {

int kill_point = 0;
int points_passed = 0;
std::string game_directory;
bool succeeded = false;
std::string_view success_text;

void point() {
    if (++points_passed == kill_point) TerminateProcess(GetCurrentProcess(), packs_test::kKilled);
}

// runtime::write_all's 4 MB chunks, with a point on either side of each.
bool write_in_chunks(HANDLE file, runtime::ByteSet bytes) {
    constexpr DWORD kChunk = 4u << 20;
    for (std::uint32_t done = 0; done < bytes.size;) {
        const DWORD size = bytes.size - done < kChunk ? bytes.size - done : kChunk;
        DWORD written = 0;
        point();
        if (!WriteFile(file, bytes.data + done, size, &written, nullptr)) return false;
        point();
        done += written;
    }
    return true;
}

BOOL WINAPI move_between_points(LPCSTR from, LPCSTR to, DWORD flags) {
    point();
    const BOOL moved = MoveFileExA(from, to, flags);
    point();
    return moved;
}

BOOL WINAPI delete_between_points(LPCSTR path) {
    point();
    const BOOL deleted = DeleteFileA(path);
    point();
    return deleted;
}

runtime::Text read_game_directory() { return game_directory; }
void note_message(std::string_view text) { succeeded = text == success_text; }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    const std::string_view operation = argv[1];
    game_directory = argv[2];
    kill_point = std::atoi(argv[3]);
    const packs::OperationHooks hooks{read_game_directory, note_message,
                                      runtime::FileSteps{.write = write_in_chunks, .move = move_between_points,
                                                       .remove = delete_between_points}};
    const packs::CatalogueEntry& entry = packs::catalogue_entry(packs_test::kKilledEntry);
    const runtime::Text applied = packs::apply_message();
    if (operation == "apply") {
        success_text = applied;
        packs::apply_pack_files(
            packs::PackFiles{entry.pack_file_name, packs_test::byte_set(packs_test::largest_pack_stand_in()),
                             entry.manifest},
            hooks);
    } else if (operation == "restore") {
        success_text = packs::kRestoreMessage;
        packs::restore_pack_files(entry.pack_file_name, packs::stock_manifest(), hooks);
    } else {
        return 2;
    }
    return succeeded ? 0 : 1;
}
