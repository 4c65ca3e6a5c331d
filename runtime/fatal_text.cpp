#include "runtime/fatal_text.h"

#include <cstring>

#include "runtime/text.h"

namespace runtime {

namespace {

// Appends what fits, never half of a two-byte character.
void append(char* out, std::size_t capacity, std::size_t& length, std::string_view part) {
    for (std::size_t i = 0; i < part.size() && part[i] != '\0';) {
        const std::size_t width = is_gbk_lead_byte(static_cast<unsigned char>(part[i])) && i + 1 < part.size() ? 2 : 1;
        if (length + width >= capacity) return;
        std::memcpy(out + length, part.data() + i, width);
        length += width;
        i += width;
    }
}

std::string_view decimal(unsigned long long magnitude, bool negative, char (&buffer)[24]) {
    char* end = buffer + sizeof buffer;
    char* begin = end;
    do {
        *--begin = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) *--begin = '-';
    return std::string_view(begin, static_cast<std::size_t>(end - begin));
}

std::string_view decimal(long long value, char (&buffer)[24]) {
    const bool negative = value < 0;
    return decimal(negative ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value),
                   negative, buffer);
}

}  // namespace

std::size_t build_fatal_text(char* out, std::size_t capacity, int number, std::string_view message) {
    std::size_t length = 0;
    append(out, capacity, length, "运行时出错!\r\n\r\n");
    if (number != 0) {
        char digits[24];
        append(out, capacity, length, "错误代码：");
        append(out, capacity, length, decimal(number, digits));
        append(out, capacity, length, "\r\n\r\n");
    }
    if (!message.empty() && message[0] != '\0') {
        append(out, capacity, length, "错误信息：");
        append(out, capacity, length, message);
        append(out, capacity, length, "\r\n");
    }
    out[length] = '\0';
    return length;
}

std::size_t build_memory_message(char* out, std::size_t capacity, std::size_t size) {
    char digits[24];
    std::size_t length = 0;
    append(out, capacity, length, "分配 ");
    // Unsigned: a 64-bit request past 2^63 is no negative number either.
    append(out, capacity, length, decimal(size, false, digits));
    append(out, capacity, length, " 字节内存失败!");
    out[length] = '\0';
    return length;
}

}  // namespace runtime
