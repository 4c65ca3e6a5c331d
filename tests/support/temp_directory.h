#pragma once
// A fresh folder for one test, removed with everything in it at the end; the
// folders of test programs that ended without removing theirs (crashed, or
// killed at their time-out) go when the next one is made. Paths are GBK
// bytes, as the program's own are.
#include <optional>
#include <string>
#include <string_view>

#include "tests/support/encoding.h"  // gbk(), for the names of folders

namespace test_support {

class TempDirectory {
public:
    // Creates a new, empty folder below the system's temporary folder.
    // Throws std::runtime_error when it cannot.
    TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;
    ~TempDirectory();

    // The folder, without a trailing backslash.
    const std::string& path() const { return path_; }
    // path() + "\" + relative.
    std::string path_of(std::string_view relative) const;

    bool write(std::string_view relative, std::string_view bytes) const;
    std::optional<std::string> read(std::string_view relative) const;
    bool make_directory(std::string_view relative) const;

private:
    std::string path_;
};

// Whole-file helpers for any path.
bool write_whole_file(const std::string& path, std::string_view bytes);
std::optional<std::string> read_whole_file(const std::string& path);

// Removes a folder and everything below it, attributes and paths past
// MAX_PATH notwithstanding.
bool remove_tree(const std::string& path);

}  // namespace test_support
