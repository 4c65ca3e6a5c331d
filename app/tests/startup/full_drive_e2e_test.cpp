// The engine file on a drive too full to hold it: with_test_drive.sh maps T:
// to a small tmpfs, which the test fills until half the engine fits.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "app/tests/startup/install_path.h"
#include "app/tests/startup/program_under_test.h"
#include "testing/box_watcher.h"
#include "testing/child_process.h"
#include "testing/temp_directory.h"

namespace {

constexpr DWORD kTimeoutMs = 20000;

// A half-written DLL would be taken for the engine by every later start and
// never rewritten; the program must leave no file rather than a broken one.
TEST(FullDrive, EngineFileThatDoesNotFitIsNotLeftHalfWritten) {
    if (const char* why = std::getenv("STARTUP_SMALL_DRIVE_UNAVAILABLE")) GTEST_SKIP() << why;
    ASSERT_NE(GetFileAttributesA("T:\\"), INVALID_FILE_ATTRIBUTES) << "run through with_test_drive.sh";
    // The program with empty packs: small enough for the drive.
    const std::string program_path = startup_driver::place_program(startup_driver::windows_path(PROGRAM_FILE), "T:");
    const startup_driver::InstallPathValue install_path(std::nullopt);
    // Leave room for half the engine.
    WIN32_FILE_ATTRIBUTE_DATA engine{};
    ASSERT_TRUE(GetFileAttributesExA(startup_driver::windows_path(ENGINE_FILE).c_str(), GetFileExInfoStandard, &engine));
    ULARGE_INTEGER free_bytes{};
    ASSERT_TRUE(GetDiskFreeSpaceExA("T:\\", &free_bytes, nullptr, nullptr));
    const ULONGLONG room = engine.nFileSizeLow / 2;
    ASSERT_GT(free_bytes.QuadPart, room);
    ASSERT_TRUE(test_support::write_whole_file("T:\\filler", std::string(free_bytes.QuadPart - room, 'x')));

    test_support::ChildProcess program(program_path, {}, "T:\\");
    const auto box = test_support::wait_for_message_box(program.id(), kTimeoutMs);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, "错误");
    EXPECT_NE(box->text.find("SkinH_EL.dll"), std::string::npos) << box->text_utf8();
    EXPECT_EQ(GetFileAttributesA("T:\\SkinH_EL.dll"), INVALID_FILE_ATTRIBUTES) << "a partial engine file was left";
    ASSERT_TRUE(test_support::press_ok(box->box));
    EXPECT_EQ(program.wait(kTimeoutMs), std::optional<DWORD>(0xFFFFFFFF));
}

}  // namespace
