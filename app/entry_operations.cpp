// Stand-ins until the pack operations land: each names its entry, so a button
// bound to the wrong entry shows at once.
#include "app/entry_operations.h"

#include <string>

#include "runtime/message_box.h"

namespace app {

void apply_entry(int entry) {
    runtime::message_box("修改 " + std::to_string(entry), 0, "提示");
}

void restore_entry(int entry) {
    runtime::message_box("恢复 " + std::to_string(entry), 0, "提示");
}

}  // namespace app
