#pragma once
// A block of memory in another process, freed with the block: the messages
// that take a pointer (tree items, tab items, BFFM_SETSELECTIONA) are read in
// the receiving process's own address space.
#include <windows.h>

#include <cstddef>

namespace test_support {

class RemoteBlock {
public:
    RemoteBlock(HANDLE process, std::size_t size)
        : process_(process),
          address_(static_cast<char*>(
              VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))) {}
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    ~RemoteBlock() {
        if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }

    explicit operator bool() const { return address_ != nullptr; }
    // The address in the other process, for a message's pointer argument.
    char* at(std::size_t offset = 0) const { return address_ + offset; }
    bool write(std::size_t offset, const void* bytes, std::size_t size) const {
        return address_ != nullptr && WriteProcessMemory(process_, at(offset), bytes, size, nullptr) != FALSE;
    }
    bool read(std::size_t offset, void* bytes, std::size_t size) const {
        return address_ != nullptr && ReadProcessMemory(process_, at(offset), bytes, size, nullptr) != FALSE;
    }

private:
    HANDLE process_;
    char* address_;
};

}  // namespace test_support
