// A stand-in skinning engine for the start-up tests. It exports the one entry
// the program calls and writes what it received to engine_calls.txt beside
// itself, one "key=value" per line:
//   call=<n> length=<2nd argument> data_null=<0|1> head=<first 4 data bytes>
//   copy_size=<heap size of the block that holds the byte set, -1 if none>
//   text_null=<0|1> text_empty=<0|1> a=.. b=.. c=..
//   freed=<n>   once the program frees that block (seen through its import
//               of HeapFree, which this DLL redirects while it is loaded)
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "engine/skinh_el.h"

namespace {

HMODULE this_module;
const void* watched_block;
int call_count;
decltype(&HeapFree) real_heap_free;

void append_record(const char* line) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(this_module, path, MAX_PATH);
    char* slash = std::strrchr(path, '\\');
    if (length == 0 || slash == nullptr) return;
    std::strcpy(slash + 1, "engine_calls.txt");
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written;
    WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
    WriteFile(file, "\r\n", 2, &written, nullptr);
    CloseHandle(file);
}

BOOL WINAPI watching_heap_free(HANDLE heap, DWORD flags, LPVOID block) {
    if (block != nullptr && block == watched_block) {
        watched_block = nullptr;
        char line[32];
        std::snprintf(line, sizeof line, "freed=%d", call_count);
        append_record(line);
    }
    return real_heap_free(heap, flags, block);
}

// Points the executable's import of kernel32's HeapFree from one function to
// the other: on load to watching_heap_free, back again on unload, since the
// program frees this DLL at its end and may free memory after that.
void redirect_heap_free_import(DWORD_PTR from, DWORD_PTR to) {
    auto* base = reinterpret_cast<unsigned char*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) return;
    auto* descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
    for (; descriptor->Name != 0; ++descriptor) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + descriptor->Name), "kernel32.dll") != 0) continue;
        auto* thunk = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
        for (; thunk->u1.Function != 0; ++thunk) {
            if (thunk->u1.Function != from) continue;
            DWORD old_protection;
            VirtualProtect(&thunk->u1.Function, sizeof thunk->u1.Function, PAGE_READWRITE, &old_protection);
            thunk->u1.Function = to;
            VirtualProtect(&thunk->u1.Function, sizeof thunk->u1.Function, old_protection, &old_protection);
        }
    }
}

}  // namespace

extern "C" __attribute__((dllexport)) int WINAPI SkinH_AttachRes(const unsigned char* theme, std::uint32_t length,
                                                                  const char* text, int a, int b, int c) {
    ++call_count;
    char head[9] = "-";
    long copy_size = -1;
    if (theme != nullptr) {
        std::snprintf(head, sizeof head, "%02X%02X%02X%02X", theme[0], theme[1], theme[2], theme[3]);
        // The program hands over the data behind the byte set's 8-byte head.
        const void* block = theme - 8;
        const SIZE_T size = HeapSize(GetProcessHeap(), 0, block);
        if (size != static_cast<SIZE_T>(-1)) {
            copy_size = static_cast<long>(size);
            watched_block = block;
        }
    }
    char line[256];
    std::snprintf(line, sizeof line,
                  "call=%d length=%u data_null=%d head=%s copy_size=%ld text_null=%d "
                  "text_empty=%d a=%d b=%d c=%d",
                  call_count, length, theme == nullptr, head, copy_size, text == nullptr,
                  text != nullptr && text[0] == '\0', a, b, c);
    append_record(line);
    return 0;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    const auto real = reinterpret_cast<DWORD_PTR>(real_heap_free);
    const auto watching = reinterpret_cast<DWORD_PTR>(&watching_heap_free);
    if (reason == DLL_PROCESS_ATTACH) {
        this_module = instance;
        // Through void*: a direct cast from FARPROC trips -Wcast-function-type.
        real_heap_free = reinterpret_cast<decltype(&HeapFree)>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "HeapFree")));
        redirect_heap_free_import(reinterpret_cast<DWORD_PTR>(real_heap_free), watching);
    } else if (reason == DLL_PROCESS_DETACH) {
        redirect_heap_free_import(watching, real);
    }
    return TRUE;
}
