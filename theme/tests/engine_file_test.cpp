#include "theme/engine_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/skinh_el.h"
#include "generated/version.h"
#include "runtime/system_reason.h"
#include "tests/support/recorded_file_steps.h"
#include "tests/support/temp_directory.h"
#include "theme/engine_messages.h"
#include "theme/theme_table.h"

namespace {

std::string embedded_engine() {
    const runtime::ByteSet engine = theme::engine_file_bytes();
    return std::string(reinterpret_cast<const char*>(engine.data), engine.size);
}

// Through the file steps: the engine is flushed before its move; whatever
// was under its name that is no whole DLL, or an engine of another build of
// ours, is replaced; the engine we carry and another program's DLL are left
// alone, without a write.
TEST(EngineFile, WrittenWholeAndHiddenUnlessOursOrAnotherProgramsDllIsThere) {
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
    // The product's name with its zero: the description begins with it too.
    const std::u16string_view product = u"" kProductName;
    const std::string product_bytes(reinterpret_cast<const char*>(product.data()), product.size() * 2 + 2);
    std::string other_product = engine_bytes;
    other_product[other_product.find(product_bytes)] ^= 1;
    const Case cases[] = {
        {"nothing there", std::nullopt, kWrite},
        {"empty, as a cut write leaves it", "", kWrite},
        {"MZ, no PE headers", "MZ of nobody", kWrite},
        {"MZ, cut inside its headers", engine_bytes.substr(0, 100), kWrite},
        {"MZ, cut after the headers", engine_bytes.substr(0, 4096), kWrite},
        {"MZ, cut in the last section", engine_bytes.substr(0, engine_bytes.size() - 1), kWrite},
        {"ours, another build", other_build, kWrite},
        {"ours, identical", engine_bytes, {}},
        {"another program's DLL, without a version resource", test_support::read_whole_file("Z:" FOREIGN_ENGINE_FILE), {}},
        {"another product's version resource", other_product, {}},
    };
    for (const Case& c : cases) {
        const test_support::TempDirectory folder;
        const std::string engine = folder.path_of(kEngineName);
        if (c.existing) {
            ASSERT_TRUE(folder.write(kEngineName, *c.existing));
        }
        test_support::start_recording();
        bool written = false;
        EXPECT_EQ(theme::put_engine_file(folder.path(), test_support::recording_file_steps(), written), 0u) << c.name;
        const auto& steps = test_support::recorded_steps();
        EXPECT_EQ(steps, c.steps) << c.name;
        EXPECT_EQ(test_support::move_without_flush(steps), "") << c.name;
        EXPECT_EQ(written, !c.steps.empty()) << c.name;
        EXPECT_EQ(folder.read(kEngineName), written ? engine_bytes : c.existing) << c.name;
        const DWORD attributes = GetFileAttributesA(engine.c_str()) & ~FILE_ATTRIBUTE_ARCHIVE;
        EXPECT_EQ(attributes == FILE_ATTRIBUTE_HIDDEN, written) << c.name;
        EXPECT_FALSE(folder.read(kTemporaryName)) << c.name;
    }
}

// The boxes give the system's reason and code, and name a virus scanner where
// it is the likely cause: its own codes, or a load that fails right after
// the write (Wine has no scanner to make either).
TEST(EngineFile, BoxesNameTheScannerWhereItIsTheLikelyCause) {
    struct Case { const char* name; DWORD error; bool writing; bool written_now; std::string_view remedy; };
    const Case cases[] = {
        {"write refused", ERROR_ACCESS_DENIED, true, false, theme::kUnwritableRemedy},
        {"write blocked by a scanner", 225, true, false, theme::kScannerRemedy},
        {"written file removed by a scanner", 226, true, false, theme::kScannerRemedy},
        {"another program's file does not load", ERROR_BAD_EXE_FORMAT, false, false, theme::kForeignEngineRemedy},
        {"load blocked by a scanner", 225, false, false, theme::kScannerRemedy},
        {"load fails right after the write", ERROR_MOD_NOT_FOUND, false, true, theme::kScannerRemedy},
    };
    for (const Case& c : cases) {
        const std::string text = c.writing ? theme::unwritable_engine_message("C:\\a\\SkinH_EL.dll", c.error)
                                           : theme::unloadable_engine_advice(c.error, c.written_now);
        EXPECT_TRUE(text.ends_with(runtime::reason_with_code(c.error) + "\r\n" + std::string(c.remedy))) << c.name;
    }
}

}  // namespace
