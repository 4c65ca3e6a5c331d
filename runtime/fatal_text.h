#pragma once
// The fatal error's texts, built into a caller's buffer: the fatal path must
// not allocate, since running out of memory is one of its causes.
#include <cstddef>
#include <string_view>

namespace runtime {

// "运行时出错!" CR LF CR LF, then "错误代码：" number CR LF CR LF when the number
// is not 0, then "错误信息：" message CR LF when there is a message. Cut short
// (at a character boundary) when it does not fit; always zero-terminated.
std::size_t build_fatal_text(char* out, std::size_t capacity, int number, std::string_view message);

// "分配 <size> 字节内存失败!"
std::size_t build_memory_message(char* out, std::size_t capacity, std::size_t size);

}  // namespace runtime
