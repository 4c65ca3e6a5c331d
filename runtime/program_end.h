#pragma once
// How the program ends normally: the exit routines, the end clean-up and the
// end service.
namespace runtime {

// Appends the routine unless it is already registered.
void register_exit_routine(void (*routine)());

// True while a fatal error or an end is under way: events are dropped then.
bool end_under_way();

// The normal end: runs the exit routines once, in order, then frees every
// module loaded for a DLL command.
void run_end_cleanup();

// The end service: clean-up, then ExitProcess(exit_code).
[[noreturn]] void end_program(int exit_code);

// The fatal error's clean-up: the exit routines dropped unrun, the modules
// freed, and no clean-up after it.
void drop_exit_routines_and_free_modules();

}  // namespace runtime
