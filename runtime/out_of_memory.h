#pragma once
// Running out of memory is the fatal error "分配 <size> 字节内存失败!", raised
// by operator new (replaced for the whole program) and by anyone else whose
// allocation fails.
#include <cstddef>

namespace runtime {

[[noreturn]] void out_of_memory(std::size_t size);

}  // namespace runtime
