#pragma once
// One move-only RAII template for every kind of handle; each kind's traits say
// which value is empty and how to release it. Releasing never changes
// GetLastError(), so a failing call's reason survives the clean-up on the way
// out.
#include <windows.h>

#include <utility>

namespace win32 {

template <typename Traits>
class UniqueHandle {
public:
    using Value = typename Traits::Value;

    UniqueHandle() = default;
    explicit UniqueHandle(Value value) : value_(value) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Value get() const { return value_; }
    explicit operator bool() const { return value_ != Traits::empty(); }

    Value release() { return std::exchange(value_, Traits::empty()); }
    void reset(Value value = Traits::empty()) {
        Value old = std::exchange(value_, value);
        if (old != Traits::empty()) {
            const DWORD error = GetLastError();
            Traits::close(old);
            SetLastError(error);
        }
    }

private:
    Value value_ = Traits::empty();
};

// The traits of each kind: its empty value and how it is released.
// CreateFile and FindFirstFile say "none" with INVALID_HANDLE_VALUE, the rest
// with null.
struct FileTraits {
    using Value = HANDLE;
    static Value empty() { return INVALID_HANDLE_VALUE; }
    static void close(Value h) { CloseHandle(h); }
};
struct KernelHandleTraits {  // processes, threads, jobs, events
    using Value = HANDLE;
    static Value empty() { return nullptr; }
    static void close(Value h) { CloseHandle(h); }
};
struct FindTraits {
    using Value = HANDLE;
    static Value empty() { return INVALID_HANDLE_VALUE; }
    static void close(Value h) { FindClose(h); }
};
struct RegistryKeyTraits {
    using Value = HKEY;
    static Value empty() { return nullptr; }
    static void close(Value h) { RegCloseKey(h); }
};
struct ModuleTraits {
    using Value = HMODULE;
    static Value empty() { return nullptr; }
    static void close(Value h) { FreeLibrary(h); }
};
struct HookTraits {
    using Value = HHOOK;
    static Value empty() { return nullptr; }
    static void close(Value h) { UnhookWindowsHookEx(h); }
};
template <typename T>
struct LocalMemoryTraits {  // LocalAlloc, and FormatMessage's allocated buffer
    using Value = T*;
    static Value empty() { return nullptr; }
    static void close(Value block) { LocalFree(block); }
};
template <typename T>
struct HeapBlockTraits {  // HeapAlloc on the process heap
    using Value = T*;
    static Value empty() { return nullptr; }
    static void close(Value block) { HeapFree(GetProcessHeap(), 0, block); }
};

using UniqueFile = UniqueHandle<FileTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFind = UniqueHandle<FindTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueHook = UniqueHandle<HookTraits>;
template <typename T>
using UniqueLocalMemory = UniqueHandle<LocalMemoryTraits<T>>;
template <typename T>
using UniqueHeapBlock = UniqueHandle<HeapBlockTraits<T>>;

}  // namespace win32
