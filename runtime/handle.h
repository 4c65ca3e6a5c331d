#pragma once
// One move-only RAII template for every kind of handle; each kind's traits say
// which value is empty and how to close it. Closing never changes GetLastError(),
// so a failing call's reason survives the clean-up on the way out.
#include <windows.h>

#include <utility>

namespace runtime {

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

struct FileHandleTraits {  // CreateFile: INVALID_HANDLE_VALUE is empty
    using Value = HANDLE;
    static Value empty() { return INVALID_HANDLE_VALUE; }
    static void close(Value h) { CloseHandle(h); }
};
struct KernelHandleTraits {  // processes, threads, jobs, events: NULL is empty
    using Value = HANDLE;
    static Value empty() { return nullptr; }
    static void close(Value h) { CloseHandle(h); }
};
struct FindHandleTraits {
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
struct GdiObjectTraits {
    using Value = HGDIOBJ;
    static Value empty() { return nullptr; }
    static void close(Value h) { DeleteObject(h); }
};

using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFind = UniqueHandle<FindHandleTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;

}  // namespace runtime
