#include "packs/replace_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>

#include "runtime/text.h"
#include "runtime/whole_file.h"
#include "win32/unique_handle.h"

namespace packs {

namespace {

constexpr DWORD kProtectiveMarks = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
constexpr DWORD kRefusedAttributes = kProtectiveMarks | FILE_ATTRIBUTE_DIRECTORY;

// Temporary files are named skp<one to four hex digits>.tmp, the names the
// program has always used, so that the sweep below also clears what older
// copies of it left.
constexpr char kTemporaryPrefix[] = "skp";
constexpr char kTemporaryPattern[] = "\\skp*.tmp";
constexpr unsigned kTemporaryNames = 0xFFFF;

bool is_temporary_name(std::string_view name) {
    if (name.size() < 8 || name.size() > 11) return false;
    const std::string_view digits = name.substr(3, name.size() - 7);
    return runtime::same_ignoring_case(name.substr(0, 3), kTemporaryPrefix) &&
           runtime::same_ignoring_case(name.substr(name.size() - 4), ".tmp") &&
           std::all_of(digits.begin(), digits.end(),
                       [](char digit) { return std::isxdigit(static_cast<unsigned char>(digit)) != 0; });
}

// The digits in lower-case hex without leading zeros ("%x"); to_chars rather
// than snprintf, whose MinGW form brings 20 KB of formatting into the program.
std::string temporary_name(const std::string& folder, unsigned number) {
    char digits[8];
    const char* const end = std::to_chars(digits, digits + sizeof digits, number % kTemporaryNames + 1, 16).ptr;
    std::string name = folder + "\\" + kTemporaryPrefix;
    name.append(digits, static_cast<std::size_t>(end - digits));
    return name + ".tmp";
}

// A new temporary file in `folder`, held with no sharing from the moment it
// exists: CREATE_NEW leaves no moment between choosing the name and holding
// the file. The names start where the clock says, so that two copies of the
// program rarely try the same ones; a name still being deleted (a scanner
// holds the old file) gives access denied, and the retry takes the next name.
DWORD create_temporary_file(const std::string& folder, const FileSteps& steps, win32::UniqueFile& file,
                            std::string& path) {
    unsigned number = GetTickCount();
    return runtime::retry_while_transient(
        [&]() -> DWORD {
            for (unsigned tried = 0; tried < kTemporaryNames; ++tried) {
                path = temporary_name(folder, number++);
                file.reset(steps.open(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
                if (file) return 0;
                const DWORD error = GetLastError();
                if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return error;
            }
            return ERROR_FILE_EXISTS;
        },
        steps.pause);
}

// Writes `contents` to a new temporary file in `folder` and moves it to
// `target` with `move_flags`; on any failure the temporary file is gone.
DWORD write_then_move(const std::string& folder, const std::string& target, runtime::ByteSet contents,
                      const FileSteps& steps, DWORD move_flags) {
    win32::UniqueFile file;
    std::string temporary;
    if (const DWORD error = create_temporary_file(folder, steps, file, temporary)) return error;
    return runtime::fill_and_move(file.release(), temporary, target, contents, move_flags, steps);
}

}  // namespace

DWORD replace_file(const std::string& folder, const std::string& target,
                   runtime::ByteSet contents, const FileSteps& steps) {
    // Checked before the move: as an administrator (and under Wine as root)
    // a rename replaces a read-only file that the user meant to protect.
    const DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kRefusedAttributes) != 0)
        return ERROR_ACCESS_DENIED;
    return write_then_move(folder, target, contents, steps, MOVEFILE_REPLACE_EXISTING);
}

DWORD protective_marks(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes & kProtectiveMarks;
}

DWORD create_file_whole(const std::string& folder, const std::string& target,
                        runtime::ByteSet contents, const FileSteps& steps) {
    return write_then_move(folder, target, contents, steps, 0);
}

void remove_stale_temporary_files(const std::string& folder) {
    WIN32_FIND_DATAA found;
    const win32::UniqueFind find(FindFirstFileA((folder + kTemporaryPattern).c_str(), &found));
    if (!find) return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && is_temporary_name(found.cFileName))
            DeleteFileA((folder + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(find.get(), &found));
}

}  // namespace packs
