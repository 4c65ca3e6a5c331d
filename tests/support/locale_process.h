#pragma once
// Starting a program under another Unix locale. Wine takes each process's
// ANSI code page from its Unix locale (zh_CN 936, en_US 1252, zh_TW 950), and
// a process started with CreateProcess keeps its parent's. So the program is
// started from the Unix side: /usr/bin/env, which Wine runs as a Unix
// program, runs it through this build's Wine loader (PROJECT_WINE_LOADER,
// set by scripts/wine-env.sh); it is then found among the processes by its
// full path.
#include <windows.h>

#include <string_view>

#include "tests/support/child_process.h"

namespace test_support {

// `program` is a Windows path (GBK). Throws std::runtime_error when it cannot
// be started or is not seen within the time.
ChildProcess start_under_locale(std::string_view program, std::string_view locale, DWORD timeout_ms);

}  // namespace test_support
