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
constexpr std::uint32_t kHidden = FILE_ATTRIBUTE_HIDDEN;

// Built afresh for every step, so each step sees the run directory as it is now.
runtime::Text engine_file_path() { return runtime::join_texts({runtime::run_directory(), kEngineFileSuffix}); }

}  // namespace

void ensure_engine_file() {
    // Whatever carries the name is taken as the engine: a user who replaced it
    // keeps their file.
    if (runtime::file_exists(engine_file_path())) return;

    if (!runtime::write_file(engine_file_path(), {engine_file_bytes()})) {
        // A truncated DLL would be found by every later start and never
        // rewritten: take the partial file away so the next start tries again.
        runtime::delete_file(engine_file_path());
        return;
    }
    runtime::set_file_attributes(engine_file_path(), kHidden);
}

}  // namespace theme
