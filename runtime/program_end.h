#pragma once
// How the program ends, normally or by the fatal error: the state that drops
// events meanwhile, the exit routines, the end clean-up and the end service.
// It includes nothing of the runtime above it; the fatal error and the DLL
// binding call down into it.
namespace runtime {

// Appends the routine unless it is already registered.
void register_exit_routine(void (*routine)());

// Sets what frees the modules loaded for DLL commands, the last step of every
// clean-up, fatal or not. The DLL binding sets it when it keeps a module.
void set_module_release(void (*release)());

// True while a fatal error or an end is under way: events are dropped then.
bool end_under_way();

// Marks a fatal error under way; false when one already was.
bool mark_fatal_error();

// The normal end: runs the exit routines once, in order, then frees every
// module loaded for a DLL command.
void run_end_cleanup();

// The end service: clean-up, then ExitProcess(exit_code).
[[noreturn]] void end_program(int exit_code);

// The fatal error's clean-up: the exit routines dropped unrun, the modules
// freed, and no clean-up after it.
void drop_exit_routines_and_free_modules();

}  // namespace runtime
