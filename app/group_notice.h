#pragma once

namespace app {

// The "关于群" button: where to find the chat group.
void show_group_notice();

}  // namespace app
