#pragma once

namespace app {

// The handler of the main window's created event: runs while the window is
// still hidden, before the message loop.
void run_startup();

// The exit routine: releases the game directory chosen at start-up.
void release_chosen_directory();

}  // namespace app
