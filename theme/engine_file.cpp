#include "theme/engine_file.h"

#include <windows.h>

#include <string_view>

#include "generated/version.h"
#include "runtime/fatal_error.h"
#include "runtime/file_steps.h"
#include "runtime/files.h"
#include "runtime/path_limit.h"
#include "runtime/run_directory.h"
#include "runtime/text.h"
#include "runtime/transient_retry.h"
#include "runtime/write_file.h"
#include "theme/engine_command.h"
#include "theme/engine_messages.h"
#include "theme/image_layout.h"
#include "theme/theme_table.h"
#include "win32/unique_handle.h"

namespace theme {
namespace {

constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN;
// How an engine file tells that it is one of ours.
constexpr std::u16string_view kOurProduct = u"" kProductName;

// Whether this start wrote the engine file: a load that fails after that was
// most likely stopped by a virus scanner.
bool written_this_start = false;

// What carries the engine's name.
enum class Found {
    kNothing,
    kKept,         // the engine we carry, another program's DLL, a directory, or a file that cannot be read
    kReplaceable,  // nobody's DLL (empty, no PE headers, cut short) or an engine of another build of ours
};

Found look_at(const runtime::Text& engine, runtime::Pause pause) {
    const DWORD attributes = GetFileAttributesA(engine.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return runtime::file_exists(engine) ? Found::kKept : Found::kNothing;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Found::kKept;
    win32::UniqueFile file;
    runtime::retry_while_transient(
        [&] {
            file.reset(CreateFileA(engine.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
            return file ? DWORD{0} : GetLastError();
        },
        pause);
    if (!file || holds_exactly(file.get(), engine_file_bytes())) return Found::kKept;
    switch (image_layout(file.get())) {
        case ImageLayout::kCut: return Found::kReplaceable;
        case ImageLayout::kWhole: return names_product(file.get(), kOurProduct) ? Found::kReplaceable : Found::kKept;
        case ImageLayout::kUnread: break;
    }
    return Found::kKept;
}

// Sets the attributes, waiting out a scanner that holds the file.
void set_attributes(const runtime::Text& path, DWORD attributes, runtime::Pause pause) {
    runtime::retry_while_transient(
        [&] { return SetFileAttributesA(path.c_str(), attributes) ? DWORD{0} : GetLastError(); }, pause);
}

runtime::Text engine_path(const runtime::Text& folder) { return runtime::join_texts({folder, "\\", engine::kEngineFileName}); }

}  // namespace

DWORD put_engine_file(const runtime::Text& folder, const runtime::FileSteps& steps, bool& written) {
    written = false;
    const runtime::Text engine = engine_path(folder);
    // The write's one temporary file: what a killed start leaves is that
    // file, which the next start replaces.
    const runtime::Text temporary = runtime::join_texts({engine, runtime::kTemporarySuffix});
    // Windows refuses such paths; Wine takes them, so say it before writing.
    if (!runtime::fits_path_limit(engine) || !runtime::fits_path_limit(temporary)) return ERROR_FILENAME_EXCED_RANGE;

    const Found found = look_at(engine, steps.pause);
    if (found == Found::kKept) return 0;
    // Replacing only what was found to be ours to replace: an engine that
    // another start put in place meanwhile is kept.
    runtime::WriteOptions options;
    options.replace = found == Found::kReplaceable;
    // Hidden or read-only, it would refuse the replacing move.
    if (options.replace) set_attributes(engine, FILE_ATTRIBUTE_NORMAL, steps.pause);
    if (const DWORD error = runtime::write_file(engine, engine_file_bytes(), options, steps))
        // Another start may have put its engine there while we tried.
        return look_at(engine, steps.pause) == Found::kKept ? 0 : error;
    written = true;
    set_attributes(engine, kHidden, steps.pause);
    return 0;
}

void ensure_engine_file() {
    const runtime::Text folder = runtime::run_directory();
    if (const DWORD error = put_engine_file(folder, runtime::FileSteps{}, written_this_start))
        runtime::fatal_error(0, unwritable_engine_message(engine_path(folder), error));
}

runtime::Text engine_bind_advice(DWORD error) { return unloadable_engine_advice(error, written_this_start); }

}  // namespace theme
