#pragma once
// The one fatal error: a box headed "运行时出错!" titled "错误", then exit
// code -1.
#include <string_view>

#include "runtime/text.h"

namespace runtime {

// `number` is the error code the box shows under "错误代码：" when it is not 0;
// the program's own callers pass 0 and say what happened in `message`. Kept
// as a number so a box reads the same whoever raised it.
// Its box, the exit routines dropped unrun, the rest of the clean-up, exit
// code -1. A second one while the first box is up ends the process at once
// with -1. Allocates nothing, so it serves when memory is out.
[[noreturn]] void fatal_error(int number, std::string_view message);

}  // namespace runtime
