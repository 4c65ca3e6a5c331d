#pragma once
// One move-only RAII template for every kind of handle; each kind's traits say
// which value is empty and how to release it. Releasing never changes
// GetLastError(), so a failing call's reason survives the clean-up on the way
// out.
#include <windows.h>

#include <utility>

namespace win32 {

// Runs a clean-up step without changing GetLastError(), so a failing call's
// reason survives the releases on the way out.
template <typename Release>
void keeping_last_error(Release release) {
    const DWORD error = GetLastError();
    release();
    SetLastError(error);
}

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
        if (old != Traits::empty()) keeping_last_error([old] { Traits::close(old); });
    }

private:
    Value value_ = Traits::empty();
};

// The traits of each kind: its empty value and how it is released.
// CreateFile and FindFirstFile say "none" with INVALID_HANDLE_VALUE, the rest
// with null.
enum class Empty { kNull, kInvalidHandleValue };

template <typename T, void (*Release)(T), Empty kEmpty = Empty::kNull>
struct Traits {
    using Value = T;
    static Value empty() {
        if constexpr (kEmpty == Empty::kInvalidHandleValue) return INVALID_HANDLE_VALUE;
        else return nullptr;
    }
    static void close(Value value) { Release(value); }
};

// The release functions, as functions of our own: the address of an imported
// system function is no constant a template can take.
inline void close_handle(HANDLE h) { CloseHandle(h); }
inline void close_find(HANDLE h) { FindClose(h); }
inline void close_key(HKEY h) { RegCloseKey(h); }
inline void free_library(HMODULE h) { FreeLibrary(h); }
inline void unhook(HHOOK h) { UnhookWindowsHookEx(h); }
template <typename T>
void local_free(T* block) { LocalFree(block); }
template <typename T>
void heap_free(T* block) { HeapFree(GetProcessHeap(), 0, block); }

using UniqueFile = UniqueHandle<Traits<HANDLE, close_handle, Empty::kInvalidHandleValue>>;
using UniqueKernelHandle = UniqueHandle<Traits<HANDLE, close_handle>>;  // processes, threads, jobs, events
using UniqueFind = UniqueHandle<Traits<HANDLE, close_find, Empty::kInvalidHandleValue>>;
using UniqueRegistryKey = UniqueHandle<Traits<HKEY, close_key>>;
using UniqueModule = UniqueHandle<Traits<HMODULE, free_library>>;
using UniqueHook = UniqueHandle<Traits<HHOOK, unhook>>;
// LocalAlloc, and the buffers FormatMessage allocates.
template <typename T>
using UniqueLocalMemory = UniqueHandle<Traits<T*, local_free<T>>>;
// HeapAlloc on the process heap.
template <typename T>
using UniqueHeapBlock = UniqueHandle<Traits<T*, heap_free<T>>>;

}  // namespace win32
