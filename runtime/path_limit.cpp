#include "runtime/path_limit.h"

#include <windows.h>

#include "runtime/code_page.h"
#include "runtime/text.h"

namespace runtime {

bool fits_path_limit(std::string_view path) {
    const std::string_view text = path.substr(0, text_length(path));
    if (text.empty()) return true;
    // Bytes that are no GBK character become one character each, which is
    // what the system makes of them too.
    const int characters = MultiByteToWideChar(kProgramCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    return characters > 0 && characters < MAX_PATH;
}

}  // namespace runtime
