#include "theme/engine_file.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/fatal_error.h"
#include "runtime/files.h"
#include "runtime/run_directory.h"
#include "runtime/system_reason.h"
#include "runtime/text.h"
#include "theme/theme_table.h"

namespace theme {
namespace {

constexpr std::string_view kEngineFileSuffix = "\\SkinH_EL.dll";
// The engine is written under this name and then moved into place, so that a
// start killed while writing leaves no partial engine for every later start
// to trust and fail on. One fixed name: what a killed start leaves is this
// one file, which the next start replaces.
constexpr std::string_view kTemporarySuffix = "\\SkinH_EL.dll.tmp";
constexpr std::uint32_t kHidden = FILE_ATTRIBUTE_HIDDEN;

// The program runs "asInvoker": under Program Files, on a read-only share or
// a full disk its write fails, and the player must learn why and what to do.
constexpr std::string_view kUnwritableHead = "程序无法在自己所在的文件夹里写入界面文件：";
constexpr std::string_view kUnwritableRemedy =
    "请把本程序移到桌面等可以写入、空间足够的文件夹后再运行，或者右键点击本程序，选择“以管理员身份运行”。";

// Built afresh for every step, so each step sees the run directory as it is now.
runtime::Text engine_file_path() { return runtime::join_texts({runtime::run_directory(), kEngineFileSuffix}); }
runtime::Text temporary_path() { return runtime::join_texts({runtime::run_directory(), kTemporarySuffix}); }

// 0, or the Win32 error code of the step that failed; a failed step leaves
// nothing under the temporary name.
DWORD write_engine_file() {
    const runtime::Text temporary = temporary_path(), engine = engine_file_path();
    // Without MOVEFILE_REPLACE_EXISTING: an engine that another start put in
    // place meanwhile is kept.
    if (runtime::write_file(temporary, {engine_file_bytes()}) && MoveFileExA(temporary.c_str(), engine.c_str(), 0))
        return 0;
    const DWORD error = GetLastError();
    runtime::delete_file(temporary);
    return error;
}

[[noreturn]] void engine_file_unwritable(DWORD error) {
    runtime::fatal_error(0, runtime::join_texts({kUnwritableHead, "\r\n", engine_file_path(), "\r\n",
                                                 runtime::reason_with_code(error), "\r\n", kUnwritableRemedy}));
}

}  // namespace

void ensure_engine_file() {
    // Whatever carries the name is taken as the engine: a user who replaced it
    // keeps their file.
    if (runtime::file_exists(engine_file_path())) return;

    if (const DWORD error = write_engine_file()) {
        // Another start may have put its engine there while we tried.
        if (runtime::file_exists(engine_file_path())) return;
        engine_file_unwritable(error);
    }
    runtime::set_file_attributes(engine_file_path(), kHidden);
}

}  // namespace theme
