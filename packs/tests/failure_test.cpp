// Failures: each is reported with what failed, the path and the system's
// reason, and leaves no file half-written, no temporary file, and the game's
// list as it was.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "game_folder.h"
#include "packs/catalogue.h"
#include "packs/messages.h"
#include "packs/pack_operations.h"
#include "runtime/handle.h"
#include "testing/temp_directory.h"

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

void expect_one_failure(std::string_view what, const std::string& path) {
    ASSERT_EQ(Captured::messages.size(), 1u);
    const std::string& message = Captured::messages[0];
    EXPECT_EQ(message.rfind(std::string(what) + "\r\n" + path + "\r\n", 0), 0u) << message;
    EXPECT_NE(message.find("错误代码"), std::string::npos) << message;
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
    expect_one_failure(packs::kArchiveWriteFailed, game.game_path(name()));
    EXPECT_NE(Captured::messages[0].find("错误代码 112）"), std::string::npos);
    EXPECT_NE(Captured::messages[0].find(packs::system_reason(ERROR_DISK_FULL)), std::string::npos);
    game.expect_untouched();
}

TEST(Failure, ManifestWriteFailingLeavesTheOldManifest) {
    AppliedGame game;
    apply(manifest_write_fails);
    expect_one_failure(packs::kManifestWriteFailed, game.manifest_path());
    EXPECT_EQ(read_whole_file(game.game_path(name())), kNewArchive);
    EXPECT_EQ(read_whole_file(game.manifest_path()), manifest_of(2));
    EXPECT_EQ(game.game_files(), (std::vector<std::string>{"ClientZips.txt", name()}));
}

// Held open by another program (the game, say) without sharing.
TEST(Failure, LockedTargetsAreReported) {
    struct Case { const char* what; bool lock_archive; bool applying; std::string_view failure; };
    for (const Case& c :
         {Case{"apply, archive locked", true, true, packs::kArchiveWriteFailed},
          Case{"apply, manifest locked", false, true, packs::kManifestReadFailed},
          Case{"restore, archive locked", true, false, packs::kArchiveDeleteFailed},
          Case{"restore, manifest locked", false, false, packs::kManifestReadFailed}}) {
        SCOPED_TRACE(c.what);
        AppliedGame game;
        const std::string locked = c.lock_archive ? game.game_path(name()) : game.manifest_path();
        {
            const runtime::UniqueFile lock(CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr,
                                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            ASSERT_TRUE(lock);
            if (c.applying) apply(); else restore();
        }
        expect_one_failure(c.failure, locked);
        if (c.lock_archive) game.expect_untouched();
        EXPECT_EQ(read_whole_file(game.manifest_path()), manifest_of(2));
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
                           target);
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

// The game's own list (after an update, say) is kept in ClientZips.txt.bak
// the first time it would be replaced; that backup is never overwritten.
TEST(ForeignManifest, IsBackedUpOnceAndNeverOverwritten) {
    GameFolder game;
    const std::string backup = game.game_path("ClientZips.txt.bak");
    ASSERT_TRUE(write_whole_file(game.manifest_path(), kForeignList));
    apply();
    EXPECT_EQ(read_whole_file(backup), kForeignList);
    EXPECT_EQ(read_whole_file(game.manifest_path()), manifest_of(kEntry));

    const std::string later_list = kForeignList + "\r\nAhri2017.zip";
    ASSERT_TRUE(write_whole_file(game.manifest_path(), later_list));
    restore();
    EXPECT_EQ(read_whole_file(backup), kForeignList);
    EXPECT_EQ(read_whole_file(game.manifest_path()), stock());
    restore();
    EXPECT_EQ(read_whole_file(backup), kForeignList) << "restore never deletes it";
}

TEST(ForeignManifest, LargeOrNearlyOursCountsAsForeign) {
    for (const std::string& list : {std::string(5000, 'x'), stock() + "\r\n",
                                    manifest_of(3) + "\r\n" + name(), std::string()}) {
        GameFolder game;
        ASSERT_TRUE(write_whole_file(game.manifest_path(), list));
        restore();
        EXPECT_EQ(read_whole_file(game.game_path("ClientZips.txt.bak")), list);
        EXPECT_EQ(read_whole_file(game.manifest_path()), stock());
    }
}

// A real full disk: an 8 MB drive (set up by with_small_drive.sh) and a
// 35 MB archive, the size of the largest pack.
TEST(SmallDrive, RunningOutOfSpaceLeavesNothingHalfWritten) {
    const char* drive = std::getenv("PACKS_SMALL_DRIVE");
    if (drive == nullptr) {
        const char* why = std::getenv("PACKS_SMALL_DRIVE_UNAVAILABLE");
        GTEST_SKIP() << "no small drive: " << (why ? why : "run through with_small_drive.sh");
    }
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
    expect_one_failure(packs::kArchiveWriteFailed, archive_path);
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
