#include "runtime/text.h"

namespace runtime {

Text join_texts(std::initializer_list<std::string_view> parts) {
    std::size_t total = 0;
    for (std::string_view part : parts) total += text_length(part);
    Text joined;
    joined.reserve(total);
    for (std::string_view part : parts) joined.append(part.data(), text_length(part));
    return joined;
}

std::size_t text_length(std::string_view text) {
    const std::size_t zero = text.find('\0');
    return zero == std::string_view::npos ? text.size() : zero;
}

Text to_upper_case(std::string_view text) {
    Text upper(text.substr(0, text_length(text)));
    for (std::size_t i = 0; i < upper.size(); ++i) {
        const auto byte = static_cast<unsigned char>(upper[i]);
        if (is_gbk_lead_byte(byte)) {
            ++i;  // the trail byte belongs to this character
        } else if (byte >= 'a' && byte <= 'z') {
            upper[i] = static_cast<char>(byte - 0x20);
        }
    }
    return upper;
}

bool same_ignoring_case(std::string_view a, std::string_view b) { return to_upper_case(a) == to_upper_case(b); }

std::size_t find_last_backslash(std::string_view text) {
    text = text.substr(0, text_length(text));
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (is_gbk_lead_byte(byte)) {
            ++i;
        } else if (byte == '\\') {
            last = i;
        }
    }
    return last;
}

}  // namespace runtime
