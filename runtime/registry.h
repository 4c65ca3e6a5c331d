#pragma once
#include <optional>
#include <string_view>

#include "runtime/text.h"

namespace runtime {

// The root is a number, not an HKEY, on purpose: the services take the same
// small numbers the program's handlers have always passed, and the mapping
// below (with its fallback) is part of that contract; don't swap in HKEYs.
// Root 1 HKEY_CLASSES_ROOT, 2 HKEY_CURRENT_CONFIG, 4 HKEY_LOCAL_MACHINE,
// 5 HKEY_USERS, any other number HKEY_CURRENT_USER. The full path is split at
// its last backslash into key and value name. REG_SZ comes back as stored,
// REG_EXPAND_SZ expanded; anything else gives the default (or the empty text).
// A key or value missing in the program's own registry view is read from the
// other view (64-bit for the 32-bit program, 32-bit for the 64-bit build).
Text read_registry_text(int root, std::string_view full_value_path,
                        std::optional<std::string_view> default_text = std::nullopt);

}  // namespace runtime
