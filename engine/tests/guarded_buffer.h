#pragma once
// Bytes placed so that they end exactly at a no-access page: reading one byte
// past the end faults at once instead of passing unnoticed.
#include <windows.h>

#include <cstring>
#include <vector>

namespace engine_test {

class GuardedBuffer {
public:
    explicit GuardedBuffer(const std::vector<unsigned char>& bytes) : size_(bytes.size()) {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        const std::size_t page = info.dwPageSize;
        const std::size_t pages = (size_ + page - 1) / page + 1;
        base_ = static_cast<unsigned char*>(
            VirtualAlloc(nullptr, pages * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD old;
        VirtualProtect(base_ + (pages - 1) * page, page, PAGE_NOACCESS, &old);
        data_ = base_ + (pages - 1) * page - size_;
        if (size_ != 0) std::memcpy(data_, bytes.data(), size_);
    }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;
    ~GuardedBuffer() { VirtualFree(base_, 0, MEM_RELEASE); }

    const unsigned char* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    std::size_t size_;
    unsigned char* base_ = nullptr;
    unsigned char* data_ = nullptr;
};

}  // namespace engine_test
