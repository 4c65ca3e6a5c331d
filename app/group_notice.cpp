// Stand-in until the real notice lands.
#include "app/group_notice.h"

#include "runtime/message_box.h"

namespace app {

void show_group_notice() { runtime::message_box("关于群", 0, "提示"); }

}  // namespace app
