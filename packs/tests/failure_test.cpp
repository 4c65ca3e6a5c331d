// Failures: each is reported with what failed, the path and the system's
// reason, and leaves no file half-written, no temporary file, and the game's
// list as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "game_folder.h"
#include "packs/catalogue.h"
#include "packs/messages.h"
#include "packs/operation_core.h"
#include "runtime/system_reason.h"
#include "testing/temp_directory.h"
#include "win32/unique_handle.h"

namespace packs_test {
namespace {

using test_support::read_whole_file;
using test_support::write_whole_file;

constexpr int kEntry = 8;
const std::string kOldArchive = "PK\x03\x04 the archive that was there before";
const std::string kNewArchive = std::string("PK\x03\x04 new ") + std::string(200000, 'n');
const std::string kForeignList = "Aatrox.zip\r\nAzir.zip\r\nAnnie2016.zip";

std::string name() { return std::string(packs::catalogue_entry(kEntry).pack_file_name); }
std::string manifest_of(int number) { return bytes_of(packs::catalogue_entry(number).manifest); }
std::string stock() { return bytes_of(packs::stock_manifest()); }

packs::PackFiles new_pack() {
    const packs::CatalogueEntry& entry = packs::catalogue_entry(kEntry);
    return packs::PackFiles{entry.pack_file_name, byte_set(kNewArchive), entry.manifest};
}

void apply(packs::ChunkWriter write = counting_write) {
    packs::apply_pack_files(new_pack(), captured_hooks(write));
}
void restore() { packs::restore_pack_files(name(), packs::stock_manifest(), captured_hooks()); }

// A game folder where entry 2 is applied: its manifest and an old copy of the
// test's archive lie in Game.
struct AppliedGame : GameFolder {
    AppliedGame() {
        EXPECT_TRUE(write_whole_file(game_path(name()), kOldArchive));
        EXPECT_TRUE(write_whole_file(manifest_path(), manifest_of(2)));
    }
    void expect_untouched() const {
        EXPECT_EQ(read_whole_file(game_path(name())), kOldArchive);
        EXPECT_EQ(read_whole_file(manifest_path()), manifest_of(2));
        EXPECT_EQ(game_files(), (std::vector<std::string>{"ClientZips.txt", name()}))
            << "no temporary file is left behind";
    }
};

// `remedy`: the box ends with what the player can do (a locked or protected
// file); a full disk has no such line.
void expect_one_failure(std::string_view what, const std::string& path, bool remedy) {
    ASSERT_EQ(Captured::messages.size(), 1u);
    const std::string& message = Captured::messages[0];
    EXPECT_EQ(message.rfind(std::string(what) + "\r\n" + path + "\r\n", 0), 0u) << message;
    EXPECT_NE(message.find("错误代码"), std::string::npos) << message;
    const std::string last_line = message.substr(message.rfind('\n') + 1);
    EXPECT_EQ(last_line == packs::kAccessRemedy, remedy) << message;
}

// Writes half of what it is given, then fails as a full disk does.
bool half_then_disk_full(HANDLE file, runtime::ByteSet bytes) {
    DWORD written = 0;
    WriteFile(file, bytes.data, bytes.size / 2, &written, nullptr);
    SetLastError(ERROR_DISK_FULL);
    return false;
}

// Fails on the manifest (under 1 KB) only.
bool manifest_write_fails(HANDLE file, runtime::ByteSet bytes) {
    if (bytes.size > 1024) return counting_write(file, bytes);
    SetLastError(ERROR_DISK_FULL);
    return false;
}

TEST(Failure, ArchiveWriteFailingPartWayLeavesTheOldArchiveAndManifest) {
    AppliedGame game;
    apply(half_then_disk_full);
    expect_one_failure(packs::kArchiveWriteFailed, game.game_path(name()), false);
    EXPECT_NE(Captured::messages[0].find("错误代码 112）"), std::string::npos);
    EXPECT_NE(Captured::messages[0].find(runtime::system_reason(ERROR_DISK_FULL)), std::string::npos);
    game.expect_untouched();
}

TEST(Failure, ManifestWriteFailingLeavesTheOldManifest) {
    AppliedGame game;
    apply(manifest_write_fails);
    expect_one_failure(packs::kManifestWriteFailed, game.manifest_path(), false);
    EXPECT_EQ(read_whole_file(game.game_path(name())), kNewArchive);
    EXPECT_EQ(read_whole_file(game.manifest_path()), manifest_of(2));
    EXPECT_EQ(game.game_files(), (std::vector<std::string>{"ClientZips.txt", name()}));
}

// Held open by another program (the game, say) without sharing. Restore
// writes the list first: a locked list changes nothing, a locked archive is
// left once the list no longer names it, and the box says so.
TEST(Failure, LockedTargetsAreReported) {
    struct Case { const char* what; bool lock_archive; bool applying; std::string_view failure; bool list_restored; };
    for (const Case& c :
         {Case{"apply, archive locked", true, true, packs::kArchiveWriteFailed, false},
          Case{"apply, manifest locked", false, true, packs::kManifestReadFailed, false},
          Case{"restore, archive locked", true, false, packs::kArchiveDeleteFailedListRestored, true},
          Case{"restore, manifest locked", false, false, packs::kManifestReadFailed, false}}) {
        SCOPED_TRACE(c.what);
        AppliedGame game;
        const std::string locked = c.lock_archive ? game.game_path(name()) : game.manifest_path();
        {
            const win32::UniqueFile lock(CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr,
                                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            ASSERT_TRUE(lock);
            if (c.applying) apply(); else restore();
        }
        expect_one_failure(c.failure, locked, true);
        const bool archive_written = c.applying && !c.lock_archive;
        EXPECT_TRUE(read_whole_file(game.game_path(name())) == (archive_written ? kNewArchive : kOldArchive));
        EXPECT_EQ(read_whole_file(game.manifest_path()), c.list_restored ? stock() : manifest_of(2));
        EXPECT_EQ(game.game_files(), (std::vector<std::string>{"ClientZips.txt", name()}));
    }
}

// The write service refuses these; a rename would not, so the operations
// check first (Wine as root ignores read-only entirely).
TEST(Failure, ProtectedTargetsAreRefused) {
    struct Case { const char* what; DWORD attributes; bool archive; bool applying; };
    for (const Case& c : {Case{"read-only manifest, apply", FILE_ATTRIBUTE_READONLY, false, true},
                          Case{"read-only manifest, restore", FILE_ATTRIBUTE_READONLY, false, false},
                          Case{"hidden manifest, apply", FILE_ATTRIBUTE_HIDDEN, false, true},
                          Case{"system manifest, restore", FILE_ATTRIBUTE_SYSTEM, false, false},
                          Case{"read-only archive, apply", FILE_ATTRIBUTE_READONLY, true, true},
                          Case{"hidden archive, apply", FILE_ATTRIBUTE_HIDDEN, true, true}}) {
        SCOPED_TRACE(c.what);
        AppliedGame game;
        const std::string target = c.archive ? game.game_path(name()) : game.manifest_path();
        ASSERT_TRUE(SetFileAttributesA(target.c_str(), c.attributes));
        if (c.applying) apply(); else restore();
        expect_one_failure(c.archive ? packs::kArchiveWriteFailed : packs::kManifestWriteFailed,
                           target, true);
        EXPECT_EQ(read_whole_file(game.manifest_path()), manifest_of(2));
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST(Failure, DirectoryInPlaceOfTheManifestIsReported) {
    GameFolder game;
    ASSERT_TRUE(CreateDirectoryA(game.manifest_path().c_str(), nullptr));
    apply();
    ASSERT_EQ(Captured::messages.size(), 1u);
    EXPECT_NE(Captured::messages[0].find(game.manifest_path()), std::string::npos);
    EXPECT_NE(Captured::messages[0], packs::apply_message());
}

// Every list of the game's own (after an update, say) is kept the first time
// it would be replaced: ClientZips.txt.bak, then .bak2, ...; a list already
// kept is not saved again, and no backup is ever overwritten or deleted.
TEST(ForeignManifest, EveryListIsKeptOnceAndNeverOverwritten) {
    GameFolder game;
    const std::string backup = game.game_path("ClientZips.txt.bak");
    ASSERT_TRUE(write_whole_file(game.manifest_path(), kForeignList));
    apply();
    EXPECT_EQ(read_whole_file(backup), kForeignList);
    EXPECT_EQ(read_whole_file(game.manifest_path()), kForeignList + "\r\n" + name()) << "the game's lines stay";
    EXPECT_EQ(expect_every_move_follows_a_flush(), 3u) << "the archive, the backup, the list";

    const std::string later_list = kForeignList + "\r\nAhri2017.zip";
    ASSERT_TRUE(write_whole_file(game.manifest_path(), later_list));
    restore();
    EXPECT_EQ(read_whole_file(backup), kForeignList);
    EXPECT_EQ(read_whole_file(backup + "2"), later_list);
    EXPECT_EQ(read_whole_file(game.manifest_path()), later_list);

    ASSERT_TRUE(write_whole_file(game.manifest_path(), kForeignList));
    apply();
    restore();
    EXPECT_EQ(read_whole_file(backup), kForeignList) << "restore never deletes it";
    EXPECT_EQ(read_whole_file(backup + "2"), later_list);
    EXPECT_EQ(game.game_files(), (std::vector<std::string>{"ClientZips.txt", "ClientZips.txt.bak",
                                                           "ClientZips.txt.bak2"}))
        << "a list kept already is not saved again";
}

// Names taken by anything that is not the same list are skipped; past the
// last name the list is not replaced and the box says why.
TEST(ForeignManifest, TakenBackupNamesAreSkipped) {
    struct Case { const char* what; int taken_files; bool bak_is_folder; const char* expected_backup; };
    for (const Case& c : {Case{"a folder named .bak", 0, true, "ClientZips.txt.bak2"},
                          Case{"an empty .bak left by a killed copy", 1, false, "ClientZips.txt.bak2"},
                          Case{".bak to .bak4 hold other lists", 4, false, "ClientZips.txt.bak5"},
                          Case{"every name taken", 100, false, nullptr}}) {
        SCOPED_TRACE(c.what);
        GameFolder game;
        ASSERT_TRUE(write_whole_file(game.manifest_path(), kForeignList));
        const std::string backup = game.game_path("ClientZips.txt.bak");
        if (c.bak_is_folder) { ASSERT_TRUE(CreateDirectoryA(backup.c_str(), nullptr)); }
        for (int number = 1; number <= c.taken_files; ++number)
            ASSERT_TRUE(write_whole_file(number == 1 ? backup : backup + std::to_string(number),
                                         number == 1 ? "" : "other list " + std::to_string(number)));
        restore();
        if (c.expected_backup != nullptr) {
            EXPECT_EQ(Captured::messages, (std::vector<std::string>{std::string(packs::kRestoreMessage)}));
            EXPECT_EQ(read_whole_file(game.game_path(c.expected_backup)), kForeignList);
            EXPECT_EQ(read_whole_file(game.manifest_path()), kForeignList);
        } else {
            EXPECT_EQ(Captured::messages, (std::vector<std::string>{packs::no_free_backup_message(backup + "100")}));
            EXPECT_EQ(packs::no_free_backup_message("B").rfind(std::string(packs::kManifestBackupFailed) + "\r\nB\r\n", 0), 0u);
            EXPECT_EQ(read_whole_file(game.manifest_path()), kForeignList);
        }
        if (c.taken_files > 0) { EXPECT_EQ(read_whole_file(backup), "") << "never overwritten"; }
    }
}

// A run killed while writing leaves skpXXXX.tmp in Game; the next operation
// clears them, but not a file another running copy still has open, nor a
// file that only looks alike.
TEST(Operations, StaleTemporaryFilesAreCleared) {
    for (const bool applying : {true, false}) {
        SCOPED_TRACE(applying ? "apply" : "restore");
        AppliedGame game;
        for (const char* stale : {"skp1a2b.tmp", "SKPFFFF.TMP", "skp0.tmp"})
            ASSERT_TRUE(write_whole_file(game.game_path(stale), std::string(1000, 't')));
        for (const char* other : {"skp.tmp", "skpgame.tmp", "skp12345.tmp", "open.tmp"})
            ASSERT_TRUE(write_whole_file(game.game_path(other), "not ours"));
        const std::string in_use = game.game_path("skpbeef.tmp");
        ASSERT_TRUE(write_whole_file(in_use, "being written"));
        const win32::UniqueFile writer(CreateFileA(in_use.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                                     FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(writer);
        if (applying) apply(); else restore();
        EXPECT_EQ(Captured::messages.size(), 1u);
        std::vector<std::string> expected{"ClientZips.txt", "open.tmp", "skp.tmp", "skp12345.tmp", "skpbeef.tmp",
                                          "skpgame.tmp"};
        if (applying) expected.push_back(name());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(game.game_files(), expected);
    }
}

// A list that names a catalogue pack is one of ours and is not kept; any
// other list but the stock one is, whatever it holds.
TEST(ForeignManifest, KeptUnlessItNamesAPack) {
    struct Case { std::string list; bool kept; std::string restored; };
    for (const Case& c : {Case{std::string(5000, 'x'), true, std::string(5000, 'x')},
                          Case{stock() + "\r\n", true, stock()},
                          Case{manifest_of(3) + "\r\n" + name(), false, stock()},
                          Case{std::string(), true, stock()}}) {
        GameFolder game;
        ASSERT_TRUE(write_whole_file(game.manifest_path(), c.list));
        restore();
        EXPECT_EQ(read_whole_file(game.game_path("ClientZips.txt.bak")),
                  c.kept ? std::optional<std::string>(c.list) : std::nullopt);
        EXPECT_EQ(read_whole_file(game.manifest_path()), c.restored);
    }
}

// A real full disk: an 8 MB drive (set up by scripts/with-test-drive.sh) and a
// 35 MB archive, the size of the largest pack.
TEST(SmallDrive, RunningOutOfSpaceLeavesNothingHalfWritten) {
    const char* drive = std::getenv("TEST_DRIVE");
    const char* why = std::getenv("TEST_DRIVE_UNAVAILABLE");
    if (drive == nullptr || why != nullptr)
        GTEST_SKIP() << "no small drive: " << (why ? why : "run through scripts/with-test-drive.sh");
    const std::string directory = std::string(drive) + "\\lol";
    ASSERT_TRUE(CreateDirectoryA(directory.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((directory + "\\Game").c_str(), nullptr));
    GameFolder unused;  // resets the captures
    Captured::game_directory = directory;
    const packs::CatalogueEntry& entry = packs::catalogue_entry(16);
    const std::string archive_path = directory + "\\Game\\" + std::string(entry.pack_file_name);
    const std::string manifest_path = directory + "\\Game\\ClientZips.txt";
    ASSERT_TRUE(write_whole_file(archive_path, kOldArchive));
    ASSERT_TRUE(write_whole_file(manifest_path, manifest_of(2)));

    const std::string large(35'455'964, 'L');
    packs::apply_pack_files(packs::PackFiles{entry.pack_file_name, byte_set(large), entry.manifest},
                            captured_hooks());
    expect_one_failure(packs::kArchiveWriteFailed, archive_path, false);
    EXPECT_NE(Captured::messages[0].find("错误代码 112）"), std::string::npos) << Captured::messages[0];
    EXPECT_EQ(read_whole_file(archive_path), kOldArchive);
    EXPECT_EQ(read_whole_file(manifest_path), manifest_of(2));

    // The space came back: nothing of the failed write stayed on the drive.
    Captured::messages.clear();
    const std::string fits(6'000'000, 'F');
    packs::apply_pack_files(packs::PackFiles{entry.pack_file_name, byte_set(fits), entry.manifest},
                            captured_hooks());
    EXPECT_EQ(Captured::messages, (std::vector<std::string>{packs::apply_message()}));
    EXPECT_EQ(read_whole_file(archive_path), fits);
    test_support::remove_tree(directory);
}

}  // namespace
}  // namespace packs_test
