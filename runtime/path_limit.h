#pragma once
// Windows refuses a path of MAX_PATH UTF-16 characters or more (the limit
// counts the terminating zero). Wine accepts longer ones, and then fills a
// MAX_PATH buffer without terminating it; so every path the program builds
// is measured before anything is written.
#include <string_view>

namespace runtime {

// Whether the GBK path, converted from code page 936, stays below MAX_PATH
// UTF-16 characters. A GBK character takes one or two bytes but one UTF-16
// character, so bytes are no measure.
bool fits_path_limit(std::string_view path);

}  // namespace runtime
