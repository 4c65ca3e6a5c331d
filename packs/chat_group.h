#pragma once
#include <string_view>

namespace packs {

// The players' chat group named in the apply message and the group notice.
inline constexpr std::string_view kChatGroupNumber = "463218095";

}  // namespace packs
