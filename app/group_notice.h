#pragma once

namespace app {

// The "关于群" button's notice.
void show_group_notice();

}  // namespace app
