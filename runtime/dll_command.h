#pragma once
// Outside DLL functions bound at their first call. The signature is taken from
// the SDK declaration (decltype(GetCurrentProcess)) or written with WINAPI: on
// i686 a pointer type that forgets stdcall corrupts the stack silently.
#include <windows.h>

#include <utility>

#include "runtime/text.h"

namespace runtime {

// LoadLibraryA in the program; tests give one that records what it is asked.
using DllLoader = decltype(&LoadLibraryA);

// Asks `load` once, for the one full path the name allows: a system DLL
// (kernel32, with or without ".dll") from the system folder, a name with ':'
// as it is, any other name from the run directory. Never a bare name, so the
// loader's search (program folder, current directory, PATH) is never used.
// Null when that load fails.
HMODULE load_declared_dll(const char* dll_file_name, DllLoader load);

// What the player can do about a DLL that cannot be bound, given the system's
// code of the failed load or of the missing entry: the lines that follow the
// DLL's full path in the fatal box.
using BindAdvice = Text (*)(DWORD error);

// Loads the DLL as load_declared_dll does and finds the entry ("#n" is
// ordinal n). Records the module so the end clean-up frees it. A failure
// frees what was loaded and is the fatal error naming DLL and entry; with
// advice, also the DLL's full path and the advice, each on a line of its own.
FARPROC bind_dll_entry(const char* dll_file_name, const char* entry_name, BindAdvice advice = nullptr);

// Frees every module that bind_dll_entry loaded; part of the end clean-up.
void free_dll_command_modules();

template <typename Function>
class DllCommand {
public:
    constexpr DllCommand(const char* dll_file_name, const char* entry_name, BindAdvice advice = nullptr)
        : dll_file_name_(dll_file_name), entry_name_(entry_name), advice_(advice) {}

    template <typename... Args>
    auto operator()(Args&&... args) const {
        if (address_ == nullptr) address_ = bind_dll_entry(dll_file_name_, entry_name_, advice_);
        // Through void*: FARPROC's own type says nothing about the entry, and
        // a direct cast draws -Wcast-function-type.
        return reinterpret_cast<Function*>(reinterpret_cast<void*>(address_))(std::forward<Args>(args)...);
    }

    const char* dll_file_name() const { return dll_file_name_; }
    const char* entry_name() const { return entry_name_; }

private:
    const char* dll_file_name_;
    const char* entry_name_;
    BindAdvice advice_;
    mutable FARPROC address_ = nullptr;
};

}  // namespace runtime
