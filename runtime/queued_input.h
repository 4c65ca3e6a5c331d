#pragma once

namespace runtime {

// Drops the keyboard and mouse input, client and non-client, that waits in
// this thread's queue; every other message stays where it is. For a box that
// opens after long work on the GUI thread: a key typed meanwhile would reach
// the box the moment it opens and close it unread.
void discard_queued_input();

}  // namespace runtime
