#pragma once
// Process-wide state of the running program: its run directory, the exit
// routines, and the ways it ends.
#include <cstddef>
#include <string_view>

#include "runtime/text.h"

namespace runtime {

// Called once at start: takes the executable's path (GetModuleFileNameA),
// splits it at its last backslash and makes the directory part current.
void take_run_directory();

// The executable's directory without a trailing backslash (a fresh copy).
Text run_directory();
// The executable's directory with its trailing backslash.
Text executable_directory();

// Appends the routine unless it is already registered.
void register_exit_routine(void (*routine)());

// True while a fatal error or an end is under way: events are dropped then.
bool end_under_way();

// The normal end: runs the exit routines once, in order, then frees every
// module loaded for a DLL command.
void run_end_cleanup();

// The end service: clean-up, then ExitProcess(exit_code).
[[noreturn]] void end_program(int exit_code);

// The one fatal error: its box, the exit routines dropped unrun, the rest of
// the clean-up, exit code -1. A second one while the first box is up ends the
// process at once with -1. Allocates nothing, so it serves when memory is out.
[[noreturn]] void fatal_error(int number, std::string_view message);

// The fatal error for an allocation of `size` bytes that failed:
// "分配 <size> 字节内存失败!".
[[noreturn]] void out_of_memory(std::size_t size);

// The box text fatal_error shows, built from "运行时出错!", "错误代码：" and
// "错误信息：".
Text fatal_error_text(int number, std::string_view message);

}  // namespace runtime
