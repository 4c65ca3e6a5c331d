#include "packs/manifest.h"

#include <vector>

#include "packs/catalogue.h"
#include "runtime/text.h"

namespace packs {

namespace {

std::string_view view(runtime::ByteSet bytes) {
    return {reinterpret_cast<const char*>(bytes.data), bytes.size};
}

// The game reads its list as text; a zero byte means it is something else,
// and nothing of it is worth carrying into the list we write.
bool is_text_list(std::string_view bytes) { return bytes.find('\0') == std::string_view::npos; }

// Lines end at LF, with or without a CR before it; empty lines say nothing.
std::vector<std::string_view> list_lines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (end != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
        if (!line.empty()) lines.push_back(line);
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    }
    return lines;
}

// As Windows compares file names: ASCII letters in either case, every other
// byte (both bytes of a GBK character among them) exact.
bool is_pack_name(std::string_view line) {
    for (int number = 1; number <= kEntryCount; ++number)
        if (runtime::same_ignoring_case(line, catalogue_entry(number).pack_file_name)) return true;
    return false;
}

}  // namespace

bool is_program_manifest(std::string_view bytes) {
    if (bytes == view(stock_manifest())) return true;
    if (!is_text_list(bytes)) return false;
    for (const std::string_view line : list_lines(bytes))
        if (is_pack_name(line)) return true;
    return false;
}

std::string manifest_to_write(const std::optional<std::string>& current, runtime::ByteSet fallback,
                              std::string_view added_pack) {
    std::vector<std::string_view> kept;
    if (current && is_text_list(*current))
        for (const std::string_view line : list_lines(*current))
            if (!is_pack_name(line)) kept.push_back(line);
    if (kept.empty()) return std::string(view(fallback));

    if (!added_pack.empty()) kept.push_back(added_pack);
    std::string list;
    for (const std::string_view line : kept) {
        if (!list.empty()) list += "\r\n";
        list += line;
    }
    return list;
}

}  // namespace packs
