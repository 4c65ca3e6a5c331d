#pragma once
// File services. Each reports failure through its result only and leaves
// GetLastError() as the failing call set it, so callers can name the reason.
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "runtime/byte_set.h"

namespace runtime {

// Creates or replaces the file (CREATE_ALWAYS, no sharing, normal attributes)
// and writes the byte sets in order. Empty path: false, nothing touched. An
// existing hidden or system file is refused (false, ERROR_ACCESS_DENIED) and
// stays as it was. A failed or short write closes the file, keeps what was
// written and returns false.
bool write_file(std::string_view path, std::initializer_list<ByteSet> contents);

bool delete_file(std::string_view path);

// FindFirstFileA: true for files, directories and matching wildcard patterns.
bool file_exists(std::string_view path);

// Only read-only, hidden, system and archive (mask 0x27) reach the system.
bool set_file_attributes(std::string_view path, std::uint32_t attributes);

}  // namespace runtime
