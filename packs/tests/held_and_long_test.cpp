// What a player's machine does that a clean test folder does not: a virus
// scanner or the game's launcher holds a file for a moment, and a game folder
// deep enough that its paths pass the system's limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "game_folder.h"
#include "packs/catalogue.h"
#include "packs/messages.h"
#include "packs/pack_operations.h"
#include "runtime/path_limit.h"
#include "tests/support/temp_directory.h"

namespace packs_test {
namespace {

constexpr int kEntry = 5;
const std::string kArchive = "PK\x03\x04 archive of the test";
const std::vector<DWORD> kWholeBudget{50, 100, 200, 400, 800};

std::string name() { return std::string(packs::catalogue_entry(kEntry).pack_file_name); }

// The step that is held, how, and for how many tries.
enum class Step { kReadList, kCreateTemporary, kMove, kDeleteArchive, kOther };
struct Hold { Step step; DWORD error; int tries; };
Hold hold;
int held = 0;

bool holds(Step step) {
    if (hold.step != step || held >= hold.tries) return false;
    ++held;
    SetLastError(hold.error);
    return true;
}

HANDLE WINAPI held_open(LPCSTR path, DWORD access, DWORD sharing, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                        DWORD flags, HANDLE template_file) {
    const bool list = std::string_view(path).ends_with("\\ClientZips.txt");
    if (holds(disposition == CREATE_NEW ? Step::kCreateTemporary : list ? Step::kReadList : Step::kOther))
        return INVALID_HANDLE_VALUE;
    return CreateFileA(path, access, sharing, security, disposition, flags, template_file);
}
BOOL WINAPI held_move(LPCSTR from, LPCSTR to, DWORD flags) {
    return holds(Step::kMove) ? FALSE : MoveFileExA(from, to, flags);
}
BOOL WINAPI held_delete(LPCSTR path) { return holds(Step::kDeleteArchive) ? FALSE : DeleteFileA(path); }

packs::OperationHooks held_hooks() {
    packs::OperationHooks hooks = captured_hooks();
    hooks.files.open = held_open;
    hooks.files.move = held_move;
    hooks.files.remove = held_delete;
    return hooks;
}

// A hold that ends within the budget is waited out; one that does not, or an
// error that waiting cannot mend, ends in the box of every failure.
TEST(HeldFile, IsWaitedForWithinAboutOneAndAHalfSeconds) {
    struct Row {
        const char* what;
        bool applying;
        Hold hold;
        std::vector<DWORD> pauses;
        std::string_view failure;  // empty: the operation succeeds
    };
    const Row rows[] = {
        {"list read, held twice", true, {Step::kReadList, ERROR_SHARING_VIOLATION, 2}, {50, 100}, {}},
        {"list read, held for good", false, {Step::kReadList, ERROR_LOCK_VIOLATION, 6}, kWholeBudget,
         packs::kManifestReadFailed},
        {"temporary file, a name still being deleted", true, {Step::kCreateTemporary, ERROR_ACCESS_DENIED, 1}, {50},
         {}},
        {"temporary file, disk full", true, {Step::kCreateTemporary, ERROR_DISK_FULL, 1}, {},
         packs::kArchiveWriteFailed},
        {"move, held five times", true, {Step::kMove, ERROR_ACCESS_DENIED, 5}, kWholeBudget, {}},
        {"move, held for good", true, {Step::kMove, ERROR_SHARING_VIOLATION, 6}, kWholeBudget,
         packs::kArchiveWriteFailed},
        {"move, not found", false, {Step::kMove, ERROR_FILE_NOT_FOUND, 1}, {}, packs::kManifestWriteFailed},
        {"archive delete, held three times", false, {Step::kDeleteArchive, ERROR_SHARING_VIOLATION, 3},
         {50, 100, 200}, {}},
        {"archive delete, held for good", false, {Step::kDeleteArchive, ERROR_SHARING_VIOLATION, 6}, kWholeBudget,
         packs::kArchiveDeleteFailedListRestored},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        GameFolder game;
        ASSERT_TRUE(write_whole_file(game.game_path(name()), "PK old archive"));
        hold = row.hold;
        held = 0;
        const packs::CatalogueEntry& entry = packs::catalogue_entry(kEntry);
        if (row.applying)
            packs::apply_pack_files({entry.pack_file_name, byte_set(kArchive), entry.manifest}, held_hooks());
        else
            packs::restore_pack_files(entry.pack_file_name, packs::stock_manifest(), held_hooks());

        EXPECT_EQ(Captured::pauses, row.pauses);
        ASSERT_EQ(Captured::messages.size(), 1u);
        if (row.failure.empty()) {
            EXPECT_EQ(Captured::messages[0], row.applying ? packs::apply_message() : std::string(packs::kRestoreMessage));
        } else {
            EXPECT_EQ(Captured::messages[0].rfind(std::string(row.failure) + "\r\n", 0), 0u) << Captured::messages[0];
            EXPECT_NE(Captured::messages[0].find("错误代码 " + std::to_string(row.hold.error) + "）"), std::string::npos);
        }
        const std::vector<std::string> files = game.game_files();
        EXPECT_TRUE(std::none_of(files.begin(), files.end(), [](const std::string& f) { return f.ends_with(".tmp"); }))
            << "no temporary file is left";
    }
}

// Folders below `base` (whose name is ASCII) down to a path of `characters`
// characters, each of `unit` (one character) but for the backslashes, in
// names short enough for any file system; "" if one cannot be made.
std::string deep_folder(std::string path, int characters, std::string_view unit) {
    constexpr int kLongestName = 60;
    for (int remaining = characters - static_cast<int>(path.size()); remaining > 0;) {
        int name = std::min(kLongestName, remaining - 1);
        if (remaining - 1 - name == 1) --name;  // no room for a last name of its own
        if (name < 1) return {};
        path += "\\";
        for (int i = 0; i < name; ++i) path += unit;
        remaining -= 1 + name;
        if (!CreateDirectoryA(path.c_str(), nullptr)) return {};
    }
    return path;
}

// Windows refuses a path of 260 characters or more; Wine does not, so the
// operations measure first. A folder of 239 characters just fits the list
// (239 + 20); one of 243 still passes the start's check of its marker
// (243 + 16), but its list does not fit. A list to keep needs a backup, 4
// characters longer: from 236 characters none fits (Wine finds .bak at 260 and
// says 206 past it), so the press is refused before anything is written; a
// list of ours needs none. GBK names take two bytes a character: characters
// count, not bytes. Both operations, each on a fresh folder.
TEST(LongGameFolder, PastTheLimitNothingIsWritten) {
    const std::string kept = "Aatrox.zip\r\nMyOwnSkins.zip\r\nYasuo.zip";
    struct Row {
        const char* what; int characters; bool chinese; std::optional<std::string> list; std::string_view failure;
    };
    const Row rows[] = {
        {"239 characters", 239, false, {}, {}},
        {"239 characters, 2 bytes each", 239, true, {}, {}},
        {"240 characters", 240, false, {}, packs::kPathTooLong},
        {"243 characters: the marker fits, the list does not", 243, false, {}, packs::kPathTooLong},
        {"240 characters, 2 bytes each", 240, true, {}, packs::kPathTooLong},
        {"235 characters, a list to keep: its backup just fits", 235, false, kept, {}},
        {"236 characters, a list to keep", 236, false, kept, packs::kPathTooLong},
        {"237 characters, a list to keep", 237, false, kept, packs::kPathTooLong},
        {"238 characters, a list to keep", 238, true, kept, packs::kPathTooLong},
        {"239 characters, a list to keep", 239, false, kept, packs::kPathTooLong},
        {"239 characters, a list of ours: no backup needed", 239, false, kept + "\r\n" + name(), {}},
    };
    for (const Row& row : rows) {
        for (const bool applying : {true, false}) {
            SCOPED_TRACE(std::string(row.what) + (applying ? ", apply" : ", restore"));
            test_support::TempDirectory temp;
            const std::string directory = deep_folder(temp.path(), row.characters, row.chinese ? "\xD3\xA2" : "a");
            ASSERT_FALSE(directory.empty());
            ASSERT_TRUE(CreateDirectoryA((directory + "\\Game").c_str(), nullptr));
            const std::string list = directory + "\\Game\\ClientZips.txt";
            if (row.list) { ASSERT_TRUE(write_whole_file(list, *row.list)); }
            start_capturing(directory);

            const packs::CatalogueEntry& entry = packs::catalogue_entry(kEntry);
            if (applying)
                packs::apply_pack_files({entry.pack_file_name, byte_set(kArchive), entry.manifest}, captured_hooks());
            else
                packs::restore_pack_files(entry.pack_file_name, packs::stock_manifest(), captured_hooks());
            ASSERT_EQ(Captured::messages.size(), 1u);
            if (row.failure.empty()) {
                EXPECT_EQ(Captured::messages[0], applying ? packs::apply_message() : std::string(packs::kRestoreMessage));
                continue;
            }
            const std::string named = row.list ? list + ".bak" : list;  // the list, or the backup it needs
            EXPECT_EQ(Captured::messages[0], packs::failure_message(row.failure, named, ERROR_FILENAME_EXCED_RANGE));
            EXPECT_FALSE(runtime::fits_path_limit(named));
            EXPECT_EQ(read_whole_file(list), row.list) << "the list is untouched";
            EXPECT_FALSE(read_whole_file(directory + "\\Game\\" + name())) << "no archive written";
        }
    }
}

}  // namespace
}  // namespace packs_test
