#include "tests/support/temp_directory.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "tests/support/encoding.h"
#include "win32/unique_handle.h"

namespace test_support {
namespace {

constexpr std::string_view kFolderPrefix = "skin-test-";

// "\\?\" before a full path takes the wide functions past MAX_PATH. The
// ANSI ones stop there (Wine converts their names in a buffer of MAX_PATH
// characters), and a program copied into a deep folder stayed behind, 100 MB
// a run.
std::wstring long_path(const std::string& path) {
    const std::wstring wide = code_page_to_wide(path, CP_ACP);
    if (wide.starts_with(L"\\\\?\\")) return wide;
    std::wstring full(GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr), L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

bool remove_wide_tree(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    const win32::UniqueFind find(FindFirstFileW((path + L"\\*").c_str(), &found));
    if (find) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            // A link to a folder goes without what it points to.
            const DWORD kind = found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT);
            if (kind == FILE_ATTRIBUTE_DIRECTORY)
                remove_wide_tree(child);
            else if (kind != 0)
                RemoveDirectoryW(child.c_str());
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(find.get(), &found));
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return RemoveDirectoryW(path.c_str()) != FALSE;
}

// A folder's name holds its program's id and start time: Wine gives ids out
// again from the first in every session, so the id alone cannot tell whether
// the program that made a folder still runs. "" for no running process, "?"
// for one that cannot be asked.
std::string process_tag(DWORD id) {
    const win32::UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, id));
    if (!process) return GetLastError() == ERROR_INVALID_PARAMETER ? "" : "?";
    FILETIME created{}, exited{}, kernel{}, user{};
    if (WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) return "";
    if (!GetProcessTimes(process.get(), &created, &exited, &kernel, &user)) return "?";
    char tag[40];
    std::snprintf(tag, sizeof tag, "%lu.%08lx%08lx", id, created.dwHighDateTime, created.dwLowDateTime);
    return tag;
}

// A test program that crashed or was killed at its time-out ran no
// destructor: its folders go when the next folder is made.
void remove_folders_of_ended_programs(const std::string& base) {
    std::vector<std::string> ended;
    WIN32_FIND_DATAA found{};
    const win32::UniqueFind find(FindFirstFileA((base + std::string(kFolderPrefix) + "*").c_str(), &found));
    if (!find) return;
    do {
        const std::string_view name = found.cFileName;
        const std::string_view tag = name.substr(kFolderPrefix.size(), name.rfind('-') - kFolderPrefix.size());
        const std::string now = process_tag(std::strtoul(tag.data(), nullptr, 10));
        if (now != tag && now != "?") ended.push_back(base + found.cFileName);
    } while (FindNextFileA(find.get(), &found));
    for (const std::string& folder : ended) remove_tree(folder);
}

}  // namespace

TempDirectory::TempDirectory() {
    char base[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof base, base);
    if (length == 0 || length > MAX_PATH) throw std::runtime_error("GetTempPath failed");
    remove_folders_of_ended_programs(base);
    // The process's tag and a counter keep parallel test programs apart.
    static const std::string tag = process_tag(GetCurrentProcessId());
    static unsigned counter = 0;
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        std::string candidate = std::string(base) + std::string(kFolderPrefix) + tag + "-" + std::to_string(++counter);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = std::move(candidate);
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDirectory::~TempDirectory() { remove_tree(path_); }

std::string TempDirectory::path_of(std::string_view relative) const {
    return path_ + "\\" + std::string(relative);
}

bool TempDirectory::write(std::string_view relative, std::string_view bytes) const {
    return write_whole_file(path_of(relative), bytes);
}

std::optional<std::string> TempDirectory::read(std::string_view relative) const {
    return read_whole_file(path_of(relative));
}

bool TempDirectory::make_directory(std::string_view relative) const {
    return CreateDirectoryA(path_of(relative).c_str(), nullptr) != FALSE;
}

bool write_whole_file(const std::string& path, std::string_view bytes) {
    const win32::UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return bytes.empty() ||
           (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size());
}

std::optional<std::string> read_whole_file(const std::string& path) {
    const win32::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                               nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got,
                      nullptr) ||
            got == 0)
            return std::nullopt;
        done += got;
    }
    return bytes;
}

bool remove_tree(const std::string& path) { return !path.empty() && remove_wide_tree(long_path(path)); }

}  // namespace test_support
