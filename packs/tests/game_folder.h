#pragma once
// A temporary game directory for the operation tests, with the operations'
// surroundings captured: the path field is a variable, the closing box a list
// of texts.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "packs/pack_operations.h"
#include "tests/support/temp_directory.h"

namespace packs_test {

using test_support::read_whole_file;
using test_support::write_whole_file;

// A file step the operations took, and the file it took it on (the file's id,
// which a rename keeps).
struct FileStep {
    enum Kind { kWrite, kFlush, kClose, kMove } kind;
    std::uint64_t file;
};

struct Captured {
    static std::string game_directory;      // what the path field shows
    static std::vector<std::string> messages;
    static int writes;                      // chunk writer calls
    static std::vector<FileStep> steps;     // writes, flushes, closes and moves, in order
    static std::vector<DWORD> pauses;       // what the retries waited, in ms (none really)
};

// The path field shows `directory`; nothing is captured yet.
void start_capturing(const std::string& directory);
runtime::Text read_captured_game_directory();
void capture_message(std::string_view text);
bool counting_write(HANDLE file, runtime::ByteSet bytes);

// Hooks with the real file steps, recorded, and the real chunk writer
// (counted) unless another is given; retries record their pauses instead of
// sleeping.
packs::OperationHooks captured_hooks(decltype(runtime::FileSteps::write) write = counting_write);

// Every file moved into place was flushed after its last write and closed
// before the move: a power cut can leave no list naming an empty archive.
// Returns how many moves there were.
std::size_t expect_every_move_follows_a_flush();

// A game directory below a fresh temporary folder; the folder name carries
// Chinese characters, as real install paths do.
class GameFolder {
public:
    explicit GameFolder(bool with_game_folder = true);
    const std::string& directory() const { return directory_; }
    std::string game_path(std::string_view name) const;  // directory + "\Game\" + name
    std::string manifest_path() const { return game_path("ClientZips.txt"); }
    // The names in Game, sorted.
    std::vector<std::string> game_files() const;

private:
    test_support::TempDirectory temp_;
    std::string directory_;
};

std::string bytes_of(runtime::ByteSet bytes);
// Bytes of the largest pack's size (35,455,964), the same on every call.
const std::string& largest_pack_stand_in();
runtime::ByteSet byte_set(const std::string& bytes);

}  // namespace packs_test
