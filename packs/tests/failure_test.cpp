// Failures: each is reported with what failed, the path and the system's
// reason, and leaves no file half-written, no temporary file, and the game's
// list as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "game_folder.h"
#include "packs/catalogue.h"
#include "packs/messages.h"
#include "packs/pack_operations.h"
#include "runtime/system_reason.h"
#include "tests/support/recorded_file_steps.h"
#include "tests/support/temp_directory.h"
#include "win32/unique_handle.h"

namespace packs_test {
namespace {

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

void apply(decltype(runtime::FileSteps::write) write = counting_write) {
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

// Held open by another program (the game, say) without sharing, or by the
// launcher rewriting the list while others may read it: the list is never
// read then. Restore writes the list first: a locked list changes nothing, a
// locked archive is left once the list no longer names it, and the box says
// so. Nothing is written before the list is read.
TEST(Failure, LockedTargetsAreReported) {
    struct Case {
        const char* what; bool lock_archive; bool applying; bool writer; std::string_view failure; bool list_restored;
    };
    for (const Case& c :
         {Case{"apply, archive locked", true, true, false, packs::kArchiveWriteFailed, false},
          Case{"apply, manifest locked", false, true, false, packs::kManifestReadFailed, false},
          Case{"apply, manifest being written", false, true, true, packs::kManifestReadFailed, false},
          Case{"restore, archive locked", true, false, false, packs::kArchiveDeleteFailedListRestored, true},
          Case{"restore, manifest locked", false, false, false, packs::kManifestReadFailed, false}}) {
        SCOPED_TRACE(c.what);
        AppliedGame game;
        const std::string locked = c.lock_archive ? game.game_path(name()) : game.manifest_path();
        {
            const win32::UniqueFile lock(CreateFileA(locked.c_str(), c.writer ? GENERIC_WRITE : GENERIC_READ,
                                                     c.writer ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0, nullptr,
                                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            ASSERT_TRUE(lock);
            if (c.applying) apply(); else restore();
        }
        expect_one_failure(c.failure, locked, true);
        EXPECT_EQ(read_whole_file(game.game_path(name())), kOldArchive);
        EXPECT_EQ(read_whole_file(game.manifest_path()), c.list_restored ? stock() : manifest_of(2));
        EXPECT_EQ(game.game_files(), (std::vector<std::string>{"ClientZips.txt", name()}));
    }
}

// The write service refuses these; a rename would not, so the operations
// check first (Wine as root ignores read-only entirely). The mark is the
// player's: the box names it and how to clear it, and nothing is waited for.
TEST(Failure, ProtectedTargetsAreRefused) {
    const std::string read_only =
        "这个文件被设为“只读”，本程序不改动这样的文件。\r\n解决办法：右键点这个文件，选择“属性”，取消勾选“只读”，"
        "按“确定”后再按一次。";
    const std::string hidden =
        "这个文件被设为“隐藏”，本程序不改动这样的文件。\r\n解决办法：先让文件夹显示隐藏的文件（Windows 10/11："
        "在“查看”中勾选“隐藏的项目”；Windows 7：“组织” → “文件夹和搜索选项” → “查看” → “显示隐藏的文件、文件夹和"
        "驱动器”），再右键点这个文件，选择“属性”，取消勾选“隐藏”，按“确定”后再按一次。";
    const std::string system =
        "这个文件被设为“系统”，本程序不改动这样的文件。\r\n解决办法：打开这个文件所在的 Game 文件夹，在窗口上方的"
        "地址栏输入 cmd 并按回车，在打开的窗口里输入 attrib -r -h -s \"ClientZips.txt\" 并按回车，然后再按一次。";
    std::string both = hidden;  // both named wherever "hidden" is
    for (std::size_t at = 0; (at = both.find("“隐藏”", at)) != std::string::npos; at += std::strlen("“只读”、“隐藏”"))
        both.insert(at, "“只读”、");
    struct Case { const char* what; DWORD attributes; bool archive; bool applying; std::string remedy; };
    for (const Case& c : {Case{"read-only manifest, apply", FILE_ATTRIBUTE_READONLY, false, true, read_only},
                          Case{"read-only manifest, restore", FILE_ATTRIBUTE_READONLY, false, false, read_only},
                          Case{"hidden manifest, apply", FILE_ATTRIBUTE_HIDDEN, false, true, hidden},
                          Case{"system manifest, restore", FILE_ATTRIBUTE_SYSTEM, false, false, system},
                          Case{"read-only archive, apply", FILE_ATTRIBUTE_READONLY, true, true, read_only},
                          Case{"read-only archive, restore: the list is restored", FILE_ATTRIBUTE_READONLY, true,
                               false, read_only},
                          Case{"hidden and read-only archive, apply", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY,
                               true, true, both}}) {
        SCOPED_TRACE(c.what);
        AppliedGame game;
        const std::string target = c.archive ? game.game_path(name()) : game.manifest_path();
        ASSERT_TRUE(SetFileAttributesA(target.c_str(), c.attributes));
        if (c.applying) apply(); else restore();
        expect_one_failure(!c.archive ? packs::kManifestWriteFailed
                           : c.applying ? packs::kArchiveWriteFailed : packs::kArchiveDeleteFailedListRestored,
                           target, false);
        EXPECT_TRUE(Captured::messages[0].ends_with(runtime::reason_with_code(5) + "\r\n" + c.remedy));
        EXPECT_EQ(Captured::pauses, std::vector<DWORD>{}) << "no wait for a mark";
        EXPECT_EQ(read_whole_file(game.manifest_path()), c.archive && !c.applying ? stock() : manifest_of(2));
        EXPECT_TRUE(read_whole_file(game.game_path(name())) == (c.applying && !c.archive ? kNewArchive : kOldArchive));
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
// other list but the stock one is, whatever it holds. A read that finds the
// list cut short (where sharing is not enforced) is waited out and read again.
TEST(ForeignManifest, KeptUnlessItNamesAPack) {
    struct Case { std::string list; bool kept; std::string restored; bool cut_once = false; };
    for (const Case& c : {Case{std::string(5000, 'x'), true, std::string(5000, 'x')},
                          Case{stock() + "\r\n", true, stock()},
                          Case{manifest_of(3) + "\r\n" + name(), false, stock()},
                          Case{std::string(), true, stock()},
                          Case{kForeignList, true, kForeignList, true}}) {
        GameFolder game;
        ASSERT_TRUE(write_whole_file(game.manifest_path(), c.list));
        packs::OperationHooks hooks = captured_hooks();
        test_support::start_recording({"read", 0, c.cut_once ? 1 : 0});
        if (c.cut_once) hooks.files = test_support::recording_file_steps();
        packs::restore_pack_files(name(), packs::stock_manifest(), hooks);
        const std::vector<std::string>& steps = test_support::recorded_steps();
        if (c.cut_once) {
            EXPECT_EQ(std::vector<std::string>(steps.begin(), steps.begin() + std::min<std::size_t>(steps.size(), 6)),
                      (std::vector<std::string>{"open ClientZips.txt", "read ClientZips.txt", "pause 50",
                                                "open ClientZips.txt", "read ClientZips.txt", "read ClientZips.txt"}));
        }
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
