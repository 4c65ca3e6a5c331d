#include "runtime/file_io.h"

#include <algorithm>

namespace runtime {

namespace {

// One WriteFile of tens of megabytes fails on some file systems and network
// shares (ERROR_NO_SYSTEM_RESOURCES, or a short count); 4 MB never has.
constexpr std::uint32_t kChunkSize = 4u << 20;

}  // namespace

bool write_all(HANDLE file, ByteSet bytes) {
    const unsigned char* next = bytes.data;
    std::uint32_t left = bytes.size;
    while (left > 0) {
        DWORD written = 0;
        if (!WriteFile(file, next, std::min(left, kChunkSize), &written, nullptr)) return false;
        if (written == 0) {
            // Success without progress: the device is full. Looping would spin.
            SetLastError(ERROR_HANDLE_DISK_FULL);
            return false;
        }
        next += written;
        left -= written;
    }
    return true;
}

}  // namespace runtime
