#include "theme/engine_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "testing/recorded_file_steps.h"
#include "testing/temp_directory.h"
#include "theme/theme_table.h"

namespace {

using test_support::StepFailure;

std::string embedded_engine() {
    const runtime::ByteSet engine = theme::engine_file_bytes();
    return std::string(reinterpret_cast<const char*>(engine.data), engine.size);
}

TEST(EngineFile, WrittenWholeAndHiddenUnlessADllIsThere) {
    const std::vector<std::string> kWrite = {"create SkinH_EL.dll.tmp", "write SkinH_EL.dll.tmp", "flush SkinH_EL.dll.tmp",
                                             "close SkinH_EL.dll.tmp", "move SkinH_EL.dll.tmp>SkinH_EL.dll"};
    auto held = kWrite;
    held.insert(held.end(), {"pause 50", kWrite.back(), "pause 100", kWrite.back()});
    struct Case {
        const char* name;
        std::optional<std::string> existing;
        StepFailure failure;
        DWORD result;
        std::vector<std::string> steps;  // empty: nothing written
    };
    const Case cases[] = {
        {"nothing there", std::nullopt, {"", 0, 0}, 0, kWrite},
        {"empty, as a cut write leaves it", "", {"", 0, 0}, 0, kWrite},
        {"no MZ", "PK\x03\x04", {"", 0, 0}, 0, kWrite},
        {"another program's DLL", "MZ of another program", {"", 0, 0}, 0, {}},
        {"held by a scanner after the write", std::nullopt, {"move", ERROR_SHARING_VIOLATION, 2}, 0, held},
        {"disk full", std::nullopt, {"write", ERROR_DISK_FULL, 1}, ERROR_DISK_FULL,
         {"create SkinH_EL.dll.tmp", "write SkinH_EL.dll.tmp", "close SkinH_EL.dll.tmp", "remove SkinH_EL.dll.tmp"}},
    };
    for (const Case& c : cases) {
        const test_support::TempDirectory folder;
        const std::string engine = folder.path_of("SkinH_EL.dll");
        if (c.existing) {
            ASSERT_TRUE(folder.write("SkinH_EL.dll", *c.existing));
        }
        test_support::start_recording(c.failure);
        EXPECT_EQ(theme::put_engine_file(folder.path(), test_support::recording_file_steps()), c.result) << c.name;
        const auto& steps = test_support::recorded_steps();
        EXPECT_EQ(steps, c.steps) << c.name;
        EXPECT_EQ(test_support::move_without_flush(steps), "") << c.name;
        const bool written = c.result == 0 && !c.steps.empty();
        EXPECT_EQ(folder.read("SkinH_EL.dll"), written ? embedded_engine() : c.existing) << c.name;
        if (written) {
            EXPECT_EQ(GetFileAttributesA(engine.c_str()) & ~FILE_ATTRIBUTE_ARCHIVE, DWORD{FILE_ATTRIBUTE_HIDDEN}) << c.name;
        }
        EXPECT_FALSE(folder.read("SkinH_EL.dll.tmp")) << c.name;
    }
}

TEST(EngineFile, PathTooLongForWindowsIsRefusedBeforeAnyStep) {
    test_support::start_recording();
    const std::string folder = "C:\\" + std::string(MAX_PATH - 20, 'a');
    EXPECT_EQ(theme::put_engine_file(folder, test_support::recording_file_steps()), DWORD{ERROR_FILENAME_EXCED_RANGE});
    EXPECT_TRUE(test_support::recorded_steps().empty());
}

}  // namespace
