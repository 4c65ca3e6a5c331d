#include "theme/engine_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/skinh_el.h"
#include "tests/support/recorded_file_steps.h"
#include "tests/support/temp_directory.h"
#include "theme/theme_table.h"

namespace {

std::string embedded_engine() {
    const runtime::ByteSet engine = theme::engine_file_bytes();
    return std::string(reinterpret_cast<const char*>(engine.data), engine.size);
}

// Through the file steps: the engine is flushed before its move, whatever
// was under its name that is no whole DLL is replaced, a DLL is left alone.
TEST(EngineFile, WrittenWholeAndHiddenUnlessADllIsThere) {
    const std::string kEngineName = engine::kEngineFileName;
    const std::string kTemporaryName = kEngineName + ".tmp";
    const std::vector<std::string> kWrite = {"open " + kTemporaryName, "write " + kTemporaryName, "flush " + kTemporaryName,
                                             "close " + kTemporaryName, "move " + kTemporaryName + ">" + kEngineName};
    struct Case {
        const char* name;
        std::optional<std::string> existing;
        std::vector<std::string> steps;  // empty: nothing written
    };
    const std::string engine_bytes = embedded_engine();
    std::string other_build = engine_bytes;
    other_build[other_build.size() / 2] ^= 0x55;
    const Case cases[] = {
        {"nothing there", std::nullopt, kWrite},
        {"empty, as a cut write leaves it", "", kWrite},
        {"MZ, no PE headers", "MZ of nobody", kWrite},
        {"MZ, cut after the headers", engine_bytes.substr(0, 4096), kWrite},
        {"MZ, cut in the last section", engine_bytes.substr(0, engine_bytes.size() - 1), kWrite},
        {"a whole DLL of another build", other_build, {}},
    };
    for (const Case& c : cases) {
        const test_support::TempDirectory folder;
        const std::string engine = folder.path_of(kEngineName);
        if (c.existing) {
            ASSERT_TRUE(folder.write(kEngineName, *c.existing));
        }
        test_support::start_recording();
        EXPECT_EQ(theme::put_engine_file(folder.path(), test_support::recording_file_steps()), 0u) << c.name;
        const auto& steps = test_support::recorded_steps();
        EXPECT_EQ(steps, c.steps) << c.name;
        EXPECT_EQ(test_support::move_without_flush(steps), "") << c.name;
        const bool written = !c.steps.empty();
        EXPECT_EQ(folder.read(kEngineName), written ? engine_bytes : c.existing) << c.name;
        if (written) {
            EXPECT_EQ(GetFileAttributesA(engine.c_str()) & ~FILE_ATTRIBUTE_ARCHIVE, DWORD{FILE_ATTRIBUTE_HIDDEN}) << c.name;
        }
        EXPECT_FALSE(folder.read(kTemporaryName)) << c.name;
    }
}

}  // namespace
