#include "packs/temporary_files.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "runtime/text.h"
#include "win32/unique_handle.h"

namespace packs {

namespace {

constexpr DWORD kProtectiveMarks = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

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
runtime::Text temporary_name(std::string_view folder, unsigned number) {
    char digits[8];
    const char* const end = std::to_chars(digits, digits + sizeof digits, number % kTemporaryNames + 1, 16).ptr;
    runtime::Text name = runtime::join_texts({folder, "\\", kTemporaryPrefix});
    name.append(digits, static_cast<std::size_t>(end - digits));
    return name + ".tmp";
}

}  // namespace

runtime::WriteOptions game_folder_write(std::string_view folder, bool replace) {
    // A write that never replaces needs no refusal: its move fails on
    // whatever is there.
    return {temporary_name, folder, replace ? kProtectiveMarks | FILE_ATTRIBUTE_DIRECTORY : 0, replace};
}

DWORD protective_marks(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes & kProtectiveMarks;
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
