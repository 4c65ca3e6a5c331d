#pragma once
// File steps for tests of code that reads files and writes them whole: each step does the
// real thing and records the call ("open t.tmp", "read t.tmp", "flush t.tmp",
// "move t.tmp>target", "pause 50"; names without their folder), and one kind
// of step can be made to fail on cue. Pauses are recorded, never slept.
#include <windows.h>

#include <string>
#include <vector>

#include "runtime/file_steps.h"

namespace test_support {

struct StepFailure {
    const char* step;  // "open", "read", "write", "flush", "close", "move" or "remove"
    DWORD error;       // for "read", 0: it reads nothing, as at the end of the file
    int times;
};

// Clears the record and arms the failure (none by default).
void start_recording(StepFailure failure = {"", 0, 0});
const runtime::FileSteps& recording_file_steps();
const std::vector<std::string>& recorded_steps();

// The first move in `steps` that does not follow a flush and then a close of
// the file moved; empty when every move does.
std::string move_without_flush(const std::vector<std::string>& steps);

}  // namespace test_support
