#pragma once
// What the start-up tests share: the program placed alone in a fresh folder of
// the test's own, where the engine file it writes lands.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "app/tests/driver/install_path.h"
#include "app/tests/driver/program_under_test.h"
#include "engine/skinh_el.h"
#include "tests/support/box_watcher.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_directory.h"

namespace startup_test {

using startup_driver::find_main_window;
using startup_driver::find_path_field;
using startup_driver::InstallPathValue;
using startup_driver::windows_path;
using test_support::ChildProcess;
using test_support::TempDirectory;

inline constexpr DWORD kTimeoutMs = 20000;
inline constexpr const auto& kEngineName = engine::kEngineFileName;
inline const std::string kEngineTemporaryName = std::string(kEngineName) + ".tmp";

inline std::optional<std::string> read_file(std::string_view unix_path) {
    return test_support::read_whole_file(windows_path(unix_path));
}

inline DWORD attributes_without_archive(const std::string& path) {
    // Wine reports the archive bit on every file.
    return GetFileAttributesA(path.c_str()) & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE);
}

// The program placed alone in a fresh folder (the engine file goes beside it).
class StartupTest : public ::testing::Test {
protected:
    StartupTest() {
        folder_.make_directory("app");
        program_path_ = startup_driver::place_program(windows_path(PROGRAM_FILE), folder_.path_of("app"));
    }

    std::string app_file(std::string_view name) const { return folder_.path_of("app\\" + std::string(name)); }

    // A game folder below the test folder, with the client marker as a file,
    // as a folder, or missing.
    enum class Marker { kFile, kFolder, kNone };
    std::string make_game_folder(const std::string& relative, Marker marker) const {
        std::string path;
        for (std::size_t start = 0;;) {  // make every level
            const std::size_t slash = relative.find('\\', start);
            folder_.make_directory(relative.substr(0, slash));
            if (slash == std::string::npos) break;
            start = slash + 1;
        }
        if (marker != Marker::kNone) folder_.make_directory(relative + "\\TCLS");
        if (marker == Marker::kFile) folder_.write(relative + "\\TCLS\\Client.exe", "MZ");
        if (marker == Marker::kFolder) folder_.make_directory(relative + "\\TCLS\\Client.exe");
        return folder_.path_of(relative);
    }

    ChildProcess start() { return ChildProcess(program_path_, {}, folder_.path()); }

    // Start with no InstallPath: the not-found box, then the window.
    HWND start_to_main_window(ChildProcess& program) {
        const auto box = test_support::wait_for_message_box(program.id(), kTimeoutMs);
        if (!box) return nullptr;
        test_support::close_message_box(*box);
        return startup_driver::wait_for_visible_main_window(program.id(), kTimeoutMs);
    }

    TempDirectory folder_;
    std::string program_path_;
};

}  // namespace startup_test
