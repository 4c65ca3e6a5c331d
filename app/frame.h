#pragma once

namespace app {

// The program: run directory, exit routine, main window, created event, the
// message loop. Returns the exit code 0 when the window has been closed; the
// end service and the fatal error leave the process from inside instead.
int start();

}  // namespace app
