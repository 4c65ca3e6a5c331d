// Global allocation for the whole program: running out of memory is the one
// fatal error "分配 N 字节内存失败!" rather than an exception nobody catches.
// The nothrow forms keep their promise and return null.
#include "runtime/out_of_memory.h"

#include <cstdlib>
#include <new>

#include "runtime/fatal_error.h"
#include "runtime/fatal_text.h"

namespace runtime {

void out_of_memory(std::size_t size) {
    static char message[64];
    build_memory_message(message, sizeof message, size);
    fatal_error(0, message);
}

}  // namespace runtime

namespace {

void* allocate_or_die(std::size_t size) {
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    runtime::out_of_memory(size);
}

}  // namespace

void* operator new(std::size_t size) { return allocate_or_die(size); }
void* operator new[](std::size_t size) { return allocate_or_die(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size == 0 ? 1 : size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size == 0 ? 1 : size); }

void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
