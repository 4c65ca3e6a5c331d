#include "runtime/dll_command.h"

#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/fatal_error.h"
#include "runtime/program_end.h"
#include "runtime/run_directory.h"
#include "runtime/text.h"
#include "win32/unique_handle.h"

namespace runtime {

namespace {

// Freed in the reverse order of loading.
std::vector<win32::UniqueModule>& loaded_modules() {
    static std::vector<win32::UniqueModule> modules;
    return modules;
}

// The system DLLs the program declares commands of, and those its screen
// reader support looks up (ui/control_accessible.cpp), without their extension.
constexpr std::string_view kSystemDlls[] = {"kernel32", "oleacc", "oleaut32"};

bool is_system_dll(std::string_view name) {
    constexpr std::string_view kExtension = ".dll";
    if (name.size() > kExtension.size() && same_ignoring_case(name.substr(name.size() - kExtension.size()), kExtension))
        name.remove_suffix(kExtension.size());
    for (std::string_view system_dll : kSystemDlls)
        if (same_ignoring_case(name, system_dll)) return true;
    return false;
}

Text system_directory() {
    Text directory(MAX_PATH, '\0');
    for (;;) {
        const UINT length = GetSystemDirectoryA(directory.data(), static_cast<UINT>(directory.size()));
        if (length == 0) return {};
        if (length < directory.size()) {
            directory.resize(length);
            return directory;
        }
        directory.resize(length);  // the size asked for, with its zero
    }
}

// The one full path a declared DLL is loaded from. A bare name is never
// handed to the loader: its search would try the program's folder and the
// current directory, where anyone can drop a kernel32.dll (a downloads
// folder, a share), and would find an engine elsewhere when ours is missing.
Text dll_path(const char* name) {
    if (std::strchr(name, ':') != nullptr) return name;
    const Text folder = is_system_dll(name) ? system_directory() : run_directory();
    if (folder.empty()) return {};
    return join_texts({folder, "\\", name});
}

// "#n" names ordinal n (decimal, low 16 bits); anything else is a name.
LPCSTR entry_key(const char* entry) {
    if (entry[0] != '#' || entry[1] == '\0') return entry;
    unsigned long ordinal = 0;
    for (const char* digit = entry + 1; *digit != '\0'; ++digit) {
        if (*digit < '0' || *digit > '9') return entry;
        ordinal = ordinal * 10 + static_cast<unsigned long>(*digit - '0');
    }
    return MAKEINTRESOURCEA(ordinal & 0xFFFF);
}

}  // namespace

HMODULE load_declared_dll(const char* dll_file_name, DllLoader load) {
    const Text path = dll_path(dll_file_name);
    if (path.empty()) return nullptr;
    // A system module comes back with its reference count raised, so the
    // FreeLibrary of the end clean-up is balanced.
    return load(path.c_str());
}

FARPROC bind_dll_entry(const char* dll_file_name, const char* entry_name, BindAdvice advice) {
    win32::UniqueModule module(load_declared_dll(dll_file_name, LoadLibraryA));
    const LPCSTR key = entry_key(entry_name);
    // Ordinal 0 does not exist; passed on, it would read as a null name.
    FARPROC address = module && key != nullptr ? GetProcAddress(module.get(), key) : nullptr;
    if (address == nullptr) {
        const DWORD error = module && key == nullptr ? DWORD{ERROR_PROC_NOT_FOUND} : GetLastError();
        module.reset();  // the fatal error ends the process without unwinding
        Text message = join_texts({"无法找到指定DLL库文件“", dll_file_name, "”中的输出命令“", entry_name, "”"});
        if (advice != nullptr)
            message = join_texts({message, "\r\n", dll_path(dll_file_name), "\r\n", advice(error)});
        fatal_error(0, message);
    }
    // The end frees what is kept here; it is told so now, as it cannot
    // know of this file without an include loop.
    set_module_release(free_dll_command_modules);
    loaded_modules().push_back(std::move(module));
    return address;
}

void free_dll_command_modules() {
    auto& modules = loaded_modules();
    while (!modules.empty()) modules.pop_back();
}

}  // namespace runtime
