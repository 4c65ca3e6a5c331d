#pragma once

namespace app {

// The main window's created event: theme, working-set trim, then the game
// directory from the registry confirmed in the folder dialog. Runs before the
// window is shown; ends the program (code 0) when the choice is wrong.
void run_startup();

// The exit routine that releases the folder chosen at start-up; the frame
// registers it before the window is created.
void release_chosen_directory();

}  // namespace app
