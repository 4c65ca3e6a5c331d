#pragma once

namespace app {

// The "修改" and "恢复" operations of catalogue entry 1..17.
void apply_entry(int entry);
void restore_entry(int entry);

}  // namespace app
