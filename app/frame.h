#pragma once

namespace app {

// The program: the DLL search restricted and the code page checked first,
// then the run directory, exit routine, main window, created event, the
// message loop. Returns the exit code 0 when the window has been closed; the
// end service and the fatal error leave the process from inside instead.
int start();

}  // namespace app
