#include "runtime/dll_command.h"

#include <cstring>
#include <vector>

#include "runtime/process.h"
#include "runtime/text.h"

namespace runtime {

namespace {

std::vector<HMODULE>& loaded_modules() {
    static std::vector<HMODULE> modules;
    return modules;
}

// Beside the program first, so that a DLL the program carries wins over one
// of the same name on the system's search path.
HMODULE load_dll(const char* name) {
    if (std::strchr(name, ':') != nullptr) return LoadLibraryA(name);
    if (HMODULE module = LoadLibraryA(join_texts({run_directory(), "\\", name}).c_str())) return module;
    if (HMODULE module = LoadLibraryA(join_texts({executable_directory(), name}).c_str())) return module;
    return LoadLibraryA(name);
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

FARPROC bind_dll_entry(const char* dll_file_name, const char* entry_name) {
    HMODULE module = load_dll(dll_file_name);
    const LPCSTR key = entry_key(entry_name);
    // Ordinal 0 does not exist; passed on, it would read as a null name.
    FARPROC address = module != nullptr && key != nullptr ? GetProcAddress(module, key) : nullptr;
    if (address == nullptr) {
        if (module != nullptr) FreeLibrary(module);
        fatal_error(0, join_texts({"无法找到指定DLL库文件“", dll_file_name, "”中的输出命令“", entry_name, "”"}));
    }
    loaded_modules().push_back(module);
    return address;
}

void free_dll_command_modules() {
    auto& modules = loaded_modules();
    while (!modules.empty()) {
        FreeLibrary(modules.back());
        modules.pop_back();
    }
}

}  // namespace runtime
