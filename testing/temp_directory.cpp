#include "testing/temp_directory.h"

#include <windows.h>

#include <stdexcept>

#include "win32/unique_handle.h"
#include "testing/window_text.h"

namespace test_support {

TempDirectory::TempDirectory() {
    char base[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof base, base);
    if (length == 0 || length > MAX_PATH) throw std::runtime_error("GetTempPath failed");
    // Process id and a counter keep parallel test programs apart.
    static unsigned counter = 0;
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        std::string candidate = std::string(base) + "skin-test-" + std::to_string(GetCurrentProcessId()) +
                                "-" + std::to_string(++counter);
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

bool remove_tree(const std::string& path) {
    if (path.empty()) return false;
    WIN32_FIND_DATAA found{};
    const win32::UniqueFind find(FindFirstFileA((path + "\\*").c_str(), &found));
    if (find) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                remove_tree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(find.get(), &found));
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return RemoveDirectoryA(path.c_str()) != FALSE;
}

}  // namespace test_support
