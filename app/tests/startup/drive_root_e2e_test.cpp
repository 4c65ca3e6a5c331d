// Start-up against a drive root: drive T: is mapped to a fresh folder
// (DRIVE_FOLDER) by scripts/with-test-drive.sh before this program runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/support/folder_dialog.h"
#include "app/tests/driver/install_path.h"
#include "app/tests/driver/program_under_test.h"
#include "app/tests/startup/cancelled_choice.h"
#include "tests/support/box_watcher.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_directory.h"
#include "tests/support/window_text.h"

namespace {

using startup_driver::windows_path;

constexpr DWORD kTimeoutMs = 20000;
constexpr char kDriveRoot[] = "T:\\";

class DriveRootTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(GetFileAttributesA(kDriveRoot), INVALID_FILE_ATTRIBUTES) << "run through scripts/with-test-drive.sh";
        // Paths on T: resolve through the prefix's link, but the folder tree
        // lists only the drives the system has been told of.
        ASSERT_TRUE(DefineDosDeviceA(0, "T:", windows_path(DRIVE_FOLDER).c_str()));
        ASSERT_TRUE(CreateDirectoryA("T:\\TCLS", nullptr));
        ASSERT_TRUE(test_support::write_whole_file("T:\\TCLS\\Client.exe", "MZ"));
    }
    void TearDown() override {
        DeleteFileA("T:\\TCLS\\Client.exe");
        RemoveDirectoryA("T:\\TCLS");
        DefineDosDeviceA(DDD_REMOVE_DEFINITION, "T:", nullptr);
    }
};

TEST_F(DriveRootTest, ChosenRootKeepsItsBackslash) {
    test_support::TempDirectory folder;
    const std::string program_path = startup_driver::place_program(windows_path(PROGRAM_FILE), folder.path());
    const startup_driver::InstallPathValue install_path(std::string("C:\\Games"));
    test_support::ChildProcess program(program_path, {}, folder.path());

    const HWND dialog = test_support::wait_for_folder_dialog(program.id(), kTimeoutMs);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(test_support::select_folder(program.handle(), dialog, kDriveRoot));
    ASSERT_TRUE(test_support::press_ok(dialog));

    const HWND window = startup_driver::wait_for_visible_main_window(program.id(), kTimeoutMs);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(test_support::window_text(startup_driver::find_path_field(window)), kDriveRoot);
    EXPECT_EQ(startup_driver::close_and_wait(program, window), 0u);
}

// A cancelled dialog gives the empty text, and "\TCLS\Client.exe" alone names
// the marker at the root of the run directory's drive. That must not make
// the cancel count as a choice of the empty game directory.
TEST_F(DriveRootTest, CancelIsNoChoiceEvenWithTheClientAtTheDriveRoot) {
    ASSERT_TRUE(CreateDirectoryA("T:\\app", nullptr));
    const std::string program_path = startup_driver::place_program(windows_path(PROGRAM_FILE), "T:\\app");
    const startup_driver::InstallPathValue install_path(std::string("C:\\Games"));
    {
        test_support::ChildProcess program(program_path, {}, "T:\\app");
        ASSERT_NO_FATAL_FAILURE(startup_test::cancel_the_folder_choice(program, kTimeoutMs));
    }
    test_support::remove_tree("T:\\app");
}

}  // namespace
