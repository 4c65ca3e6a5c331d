#include "theme/engine_file.h"

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "runtime/files.h"
#include "runtime/process.h"
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

// Built afresh for every step, so each step sees the run directory as it is now.
runtime::Text engine_file_path() { return runtime::join_texts({runtime::run_directory(), kEngineFileSuffix}); }
runtime::Text temporary_path() { return runtime::join_texts({runtime::run_directory(), kTemporarySuffix}); }

}  // namespace

void ensure_engine_file() {
    // Whatever carries the name is taken as the engine: a user who replaced it
    // keeps their file.
    if (runtime::file_exists(engine_file_path())) return;

    // Without MOVEFILE_REPLACE_EXISTING: an engine that another start put in
    // place meanwhile is kept, and ours goes.
    if (!runtime::write_file(temporary_path(), {engine_file_bytes()}) ||
        !MoveFileExA(temporary_path().c_str(), engine_file_path().c_str(), 0)) {
        runtime::delete_file(temporary_path());
        return;
    }
    runtime::set_file_attributes(engine_file_path(), kHidden);
}

}  // namespace theme
