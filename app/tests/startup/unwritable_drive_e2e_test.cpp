// The program run from a drive it cannot write its engine file to:
// scripts/with-test-drive.sh maps T: to a small tmpfs (the full-drive case fills it
// until half the engine fits) or to a read-only one that holds the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "app/tests/driver/install_path.h"
#include "app/tests/driver/program_under_test.h"
#include "engine/skinh_el.h"
#include "tests/support/box_watcher.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_directory.h"
#include "theme/engine_messages.h"

namespace {

constexpr DWORD kTimeoutMs = 20000;
const std::string kEngineOnT = std::string("T:\\") + engine::kEngineFileName;

class UnwritableDrive : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* why = std::getenv("TEST_DRIVE_UNAVAILABLE")) GTEST_SKIP() << why;
        ASSERT_NE(GetFileAttributesA("T:\\"), INVALID_FILE_ATTRIBUTES) << "run through scripts/with-test-drive.sh";
    }

    // Starts the program from T:\ (the program with empty packs: small enough
    // for the drive) and expects the fatal box that names the engine file,
    // the system's reason for `error` and the remedy, then exit code -1.
    void expect_unwritable_engine_file(const std::string& program_path, DWORD error) {
        const startup_driver::InstallPathValue install_path(std::nullopt);
        test_support::ChildProcess program(program_path, {}, "T:\\");
        const auto box = test_support::wait_for_message_box(program.id(), kTimeoutMs);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->title, "错误");
        EXPECT_EQ(box->text, "运行时出错!\r\n\r\n错误信息：" + theme::unwritable_engine_message(kEngineOnT, error) + "\r\n")
            << box->text_utf8();
        ASSERT_TRUE(test_support::press_ok(box->box));
        EXPECT_EQ(program.wait(kTimeoutMs), std::optional<DWORD>(0xFFFFFFFF));
        // A half-written DLL would be taken for the engine by every later
        // start and never rewritten.
        EXPECT_EQ(GetFileAttributesA(kEngineOnT.c_str()), INVALID_FILE_ATTRIBUTES) << "a partial engine file was left";
        EXPECT_EQ(GetFileAttributesA((kEngineOnT + ".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
    }
};

TEST_F(UnwritableDrive, FullDriveNamesTheEngineFileTheReasonAndTheRemedy) {
    const std::string program_path = startup_driver::place_program(startup_driver::windows_path(PROGRAM_FILE), "T:");
    // Leave room for half the engine.
    WIN32_FILE_ATTRIBUTE_DATA engine{};
    ASSERT_TRUE(GetFileAttributesExA(startup_driver::windows_path(ENGINE_FILE).c_str(), GetFileExInfoStandard, &engine));
    ULARGE_INTEGER free_bytes{};
    ASSERT_TRUE(GetDiskFreeSpaceExA("T:\\", &free_bytes, nullptr, nullptr));
    const ULONGLONG room = engine.nFileSizeLow / 2;
    ASSERT_GT(free_bytes.QuadPart, room);
    ASSERT_TRUE(test_support::write_whole_file("T:\\filler", std::string(free_bytes.QuadPart - room, 'x')));
    expect_unwritable_engine_file(program_path, ERROR_DISK_FULL);
}

// As under Program Files without elevation: the program lies there, and
// nothing can be created beside it.
TEST_F(UnwritableDrive, ReadOnlyFolderNamesTheEngineFileTheReasonAndTheRemedy) {
    const std::string program = startup_driver::windows_path(PROGRAM_FILE);
    const std::string program_path = "T:" + program.substr(program.find_last_of('\\'));
    ASSERT_NE(GetFileAttributesA(program_path.c_str()), INVALID_FILE_ATTRIBUTES) << "placed by scripts/with-test-drive.sh";
    // The reason the system gives for any file created there.
    SetLastError(0);
    ASSERT_FALSE(test_support::write_whole_file("T:\\probe", "x"));
    const DWORD error = GetLastError();
    ASSERT_NE(error, 0u);
    expect_unwritable_engine_file(program_path, error);
}

}  // namespace
