#include "theme/image_layout.h"

#include <windows.h>

#include <vector>

namespace theme {
namespace {

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

}  // namespace

// An older writer that did not flush left "MZ" and the headers after a power
// cut, and the loader refuses such a file: only the headers tell it from a
// DLL of another build, which is kept.
ImageLayout image_layout(HANDLE file) {
    LARGE_INTEGER size{};
    IMAGE_DOS_HEADER dos{};
    if (!GetFileSizeEx(file, &size)) return ImageLayout::kUnread;
    if (const Read read = read_at(file, 0, &dos, sizeof dos); read != Read::kAll) return layout_of(read);
    if (dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew < 0) return ImageLayout::kCut;

    NtHead nt{};
    if (const Read read = read_at(file, static_cast<ULONGLONG>(dos.e_lfanew), &nt, sizeof nt); read != Read::kAll)
        return layout_of(read);
    const bool known_magic = nt.magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC || nt.magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC;
    if (nt.signature != IMAGE_NT_SIGNATURE || !known_magic) return ImageLayout::kCut;

    std::vector<IMAGE_SECTION_HEADER> sections(nt.file.NumberOfSections);
    const ULONGLONG table = static_cast<ULONGLONG>(dos.e_lfanew) + sizeof nt.signature + sizeof nt.file +
                            nt.file.SizeOfOptionalHeader;
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

}  // namespace theme
