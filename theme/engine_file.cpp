#include "theme/engine_file.h"

#include <windows.h>

#include <string_view>

#include "runtime/fatal_error.h"
#include "runtime/file_steps.h"
#include "runtime/files.h"
#include "runtime/path_limit.h"
#include "runtime/run_directory.h"
#include "runtime/system_reason.h"
#include "runtime/text.h"
#include "runtime/transient_retry.h"
#include "runtime/write_file.h"
#include "theme/engine_command.h"
#include "theme/image_layout.h"
#include "theme/theme_table.h"
#include "win32/unique_handle.h"

namespace theme {
namespace {

constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN;

// The program runs "asInvoker": under Program Files, on a read-only share or
// a full disk its write fails, and the player must learn why and what to do.
constexpr std::string_view kUnwritableHead = "程序无法在自己所在的文件夹里写入界面文件：";
constexpr std::string_view kUnwritableRemedy =
    "请把本程序移到桌面等可以写入、空间足够的文件夹后再运行，或者右键点击本程序，选择“以管理员身份运行”。";

// What carries the engine's name.
enum class Found {
    kNothing,
    kKept,    // a whole DLL, a directory, or a file that cannot be read: not ours to touch
    kNoDll,   // empty, no PE headers, or cut short: nobody's DLL
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
    if (!file) return Found::kKept;
    return image_layout(file.get()) == ImageLayout::kCut ? Found::kNoDll : Found::kKept;
}

// Sets the attributes, waiting out a scanner that holds the file.
void set_attributes(const runtime::Text& path, DWORD attributes, runtime::Pause pause) {
    runtime::retry_while_transient(
        [&] { return SetFileAttributesA(path.c_str(), attributes) ? DWORD{0} : GetLastError(); }, pause);
}

runtime::Text engine_path(const runtime::Text& folder) { return runtime::join_texts({folder, "\\", engine::kEngineFileName}); }

}  // namespace

DWORD put_engine_file(const runtime::Text& folder, const runtime::FileSteps& steps) {
    const runtime::Text engine = engine_path(folder);
    // The write's one temporary file: what a killed start leaves is that
    // file, which the next start replaces.
    const runtime::Text temporary = runtime::join_texts({engine, runtime::kTemporarySuffix});
    // Windows refuses such paths; Wine takes them, so say it before writing.
    if (!runtime::fits_path_limit(engine) || !runtime::fits_path_limit(temporary)) return ERROR_FILENAME_EXCED_RANGE;

    const Found found = look_at(engine, steps.pause);
    if (found == Found::kKept) return 0;
    // Replacing only what is nobody's DLL: an engine that another start put
    // in place meanwhile is kept.
    runtime::WriteOptions options;
    options.replace = found == Found::kNoDll;
    // Hidden or read-only, it would refuse the replacing move.
    if (options.replace) set_attributes(engine, FILE_ATTRIBUTE_NORMAL, steps.pause);
    if (const DWORD error = runtime::write_file(engine, engine_file_bytes(), options, steps))
        // Another start may have put its engine there while we tried.
        return look_at(engine, steps.pause) == Found::kKept ? 0 : error;
    set_attributes(engine, kHidden, steps.pause);
    return 0;
}

void ensure_engine_file() {
    const runtime::Text folder = runtime::run_directory();
    if (const DWORD error = put_engine_file(folder, runtime::FileSteps{}))
        runtime::fatal_error(0, runtime::join_texts({kUnwritableHead, "\r\n", engine_path(folder), "\r\n",
                                                     runtime::reason_with_code(error), "\r\n", kUnwritableRemedy}));
}

}  // namespace theme
