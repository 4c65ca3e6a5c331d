#include "theme/image_layout.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace theme {
namespace {

// RT_VERSION's number; the type's macro is a pointer.
constexpr DWORD kVersionType = 16;
// Far more than any version resource: what a damaged file claims is not read.
constexpr DWORD kMostVersionBytes = 64 * 1024;

enum class Read { kAll, kShort, kFailed };

Read read_at(HANDLE file, ULONGLONG offset, void* into, DWORD size) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD got = 0;
    if (!ReadFile(file, into, size, &got, &at)) return GetLastError() == ERROR_HANDLE_EOF ? Read::kShort : Read::kFailed;
    return got == size ? Read::kAll : Read::kShort;
}

ImageLayout layout_of(Read read) { return read == Read::kShort ? ImageLayout::kCut : ImageLayout::kUnread; }

// The PE signature and file header, then the optional header's magic.
struct NtHead {
    DWORD signature;
    IMAGE_FILE_HEADER file;
    WORD magic;
};

struct Headers {
    NtHead nt{};
    ULONGLONG optional = 0;  // where the optional header starts
    std::vector<IMAGE_SECTION_HEADER> sections;
};

// An older writer that did not flush left "MZ" and the headers after a power
// cut, and the loader refuses such a file: only the headers tell it from a
// DLL of another program, which is kept.
ImageLayout read_headers(HANDLE file, Headers& headers) {
    LARGE_INTEGER size{};
    IMAGE_DOS_HEADER dos{};
    if (!GetFileSizeEx(file, &size)) return ImageLayout::kUnread;
    if (const Read read = read_at(file, 0, &dos, sizeof dos); read != Read::kAll) return layout_of(read);
    if (dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew < 0) return ImageLayout::kCut;

    NtHead& nt = headers.nt;
    if (const Read read = read_at(file, static_cast<ULONGLONG>(dos.e_lfanew), &nt, sizeof nt); read != Read::kAll)
        return layout_of(read);
    const bool known_magic = nt.magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC || nt.magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC;
    if (nt.signature != IMAGE_NT_SIGNATURE || !known_magic) return ImageLayout::kCut;

    headers.optional = static_cast<ULONGLONG>(dos.e_lfanew) + sizeof nt.signature + sizeof nt.file;
    std::vector<IMAGE_SECTION_HEADER>& sections = headers.sections;
    sections.resize(nt.file.NumberOfSections);
    const ULONGLONG table = headers.optional + nt.file.SizeOfOptionalHeader;
    const DWORD table_size = static_cast<DWORD>(sections.size() * sizeof(IMAGE_SECTION_HEADER));
    if (table_size != 0) {
        if (const Read read = read_at(file, table, sections.data(), table_size); read != Read::kAll) return layout_of(read);
    }
    for (const IMAGE_SECTION_HEADER& section : sections) {
        const ULONGLONG end = ULONGLONG{section.PointerToRawData} + section.SizeOfRawData;
        if (section.SizeOfRawData != 0 && end > static_cast<ULONGLONG>(size.QuadPart)) return ImageLayout::kCut;
    }
    return ImageLayout::kWhole;
}

// Where the `size` bytes at `rva` lie in the file; 0 when no section's bytes
// hold them all.
ULONGLONG file_offset(const Headers& headers, DWORD rva, DWORD size) {
    for (const IMAGE_SECTION_HEADER& section : headers.sections) {
        if (rva >= section.VirtualAddress &&
            ULONGLONG{rva} + size <= ULONGLONG{section.VirtualAddress} + section.SizeOfRawData)
            return ULONGLONG{section.PointerToRawData} + rva - section.VirtualAddress;
    }
    return 0;
}

// The resource directory's entry in the optional header, zero when it has none.
IMAGE_DATA_DIRECTORY resource_directory(HANDLE file, const Headers& headers) {
    const std::size_t directories = headers.nt.magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC
                                        ? offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory)
                                        : offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory);
    const std::size_t at = directories + IMAGE_DIRECTORY_ENTRY_RESOURCE * sizeof(IMAGE_DATA_DIRECTORY);
    IMAGE_DATA_DIRECTORY resources{};
    if (at + sizeof resources > headers.nt.file.SizeOfOptionalHeader ||
        read_at(file, headers.optional + at, &resources, sizeof resources) != Read::kAll)
        return {};
    return resources;
}

// The first version resource's bytes as UTF-16 units; empty without one.
std::u16string version_resource(HANDLE file, const Headers& headers) {
    const IMAGE_DATA_DIRECTORY resources = resource_directory(file, headers);
    const ULONGLONG root = file_offset(headers, resources.VirtualAddress, resources.Size);
    if (root == 0 || resources.Size == 0) return {};
    // Three levels: the version type, then the first name and language.
    ULONGLONG at = root;
    for (int level = 0; level < 3; ++level) {
        IMAGE_RESOURCE_DIRECTORY directory{};
        if (read_at(file, at, &directory, sizeof directory) != Read::kAll) return {};
        std::vector<IMAGE_RESOURCE_DIRECTORY_ENTRY> entries(directory.NumberOfNamedEntries + directory.NumberOfIdEntries);
        const DWORD entries_size = static_cast<DWORD>(entries.size() * sizeof(IMAGE_RESOURCE_DIRECTORY_ENTRY));
        if (entries.empty() || read_at(file, at + sizeof directory, entries.data(), entries_size) != Read::kAll) return {};
        const auto entry = level != 0 ? entries.begin()
                                      : std::find_if(entries.begin(), entries.end(),
                                                     [](const auto& e) { return e.Name == kVersionType; });
        const bool below = entry != entries.end() && (entry->OffsetToData & IMAGE_RESOURCE_DATA_IS_DIRECTORY) != 0;
        if (entry == entries.end() || below != (level < 2)) return {};
        at = root + (entry->OffsetToData & ~IMAGE_RESOURCE_DATA_IS_DIRECTORY);
    }
    IMAGE_RESOURCE_DATA_ENTRY data{};
    if (read_at(file, at, &data, sizeof data) != Read::kAll || data.Size > kMostVersionBytes) return {};
    const ULONGLONG bytes = file_offset(headers, data.OffsetToData, data.Size);
    std::u16string version(data.Size / 2, u'\0');
    if (bytes == 0 || version.empty() ||
        read_at(file, bytes, version.data(), static_cast<DWORD>(version.size() * 2)) != Read::kAll)
        return {};
    return version;
}

}  // namespace

ImageLayout image_layout(HANDLE file) {
    Headers headers;
    return read_headers(file, headers);
}

bool names_product(HANDLE file, std::u16string_view product) {
    Headers headers;
    if (read_headers(file, headers) != ImageLayout::kWhole) return false;
    const std::u16string version = version_resource(file, headers);
    // Each string of its table: the key, a zero, zeros up to a 4-byte
    // boundary, then the text and its zero.
    constexpr std::u16string_view kKey = u"ProductName";
    const std::u16string text = std::u16string(product) + u'\0';
    for (std::size_t at = version.find(kKey); at != std::u16string::npos; at = version.find(kKey, at + 1)) {
        std::size_t value = at + kKey.size();
        if (value == version.size() || version[value] != u'\0') continue;
        while (value < version.size() && version[value] == u'\0') ++value;
        if (version.compare(value, text.size(), text) == 0) return true;
    }
    return false;
}

bool holds_exactly(HANDLE file, runtime::ByteSet bytes) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart != bytes.size) return false;
    unsigned char chunk[4096];
    for (std::uint32_t at = 0; at < bytes.size; at += sizeof chunk) {
        const DWORD part = std::min<DWORD>(sizeof chunk, bytes.size - at);
        if (read_at(file, at, chunk, part) != Read::kAll || std::memcmp(chunk, bytes.data + at, part) != 0) return false;
    }
    return true;
}

}  // namespace theme
