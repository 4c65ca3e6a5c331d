#pragma once
#include <string_view>

namespace runtime {

// FindFirstFileA: true for files, directories and matching wildcard patterns.
// GetLastError() stays as the failing call set it.
bool file_exists(std::string_view path);

}  // namespace runtime
