#include "theme/interface_theme.h"

#include <windows.h>

#include <cstring>

#include "runtime/byte_set.h"
#include "runtime/out_of_memory.h"
#include "theme/engine_command.h"
#include "theme/engine_file.h"
#include "theme/theme_table.h"
#include "win32/unique_handle.h"

namespace theme {
namespace {

using HeapBlock = win32::UniqueHeapBlock<unsigned char>;

// The engine gets a copy rather than a pointer into our image, so nothing it
// does to the buffer can reach the constant; the process heap (not the C
// runtime's) keeps the block visible to a test engine that watches the free.
HeapBlock copy_of_stored_byte_set(const unsigned char* stored) {
    const std::size_t size = runtime::kByteSetHeadSize + runtime::stored_byte_set(stored).size;
    HeapBlock copy(static_cast<unsigned char*>(HeapAlloc(GetProcessHeap(), 0, size)));
    if (!copy) runtime::out_of_memory(size);
    std::memcpy(copy.get(), stored, size);
    return copy;
}

int WINAPI attach_through_engine(const unsigned char* theme, std::uint32_t length, const char* text, int a, int b,
                                 int c) {
    return skin_attach_res(theme, length, text, a, b, c);
}

}  // namespace

void hand_over_theme(int number, AttachRes attach) {
    static const char kEmptyText[] = "";
    HeapBlock copy;
    runtime::ByteSet bytes;  // the empty byte set when there is no such theme
    if (const unsigned char* stored = stored_theme(number)) {
        copy = copy_of_stored_byte_set(stored);
        bytes = runtime::stored_byte_set(copy.get());
    }
    attach(bytes.data, runtime::byte_set_length(bytes), kEmptyText, 0, 0, 0);
}

void select_interface_theme(int number) {
    // The engine is loaded at its first call, from the run directory only, so
    // its file must be there before then.
    ensure_engine_file();
    hand_over_theme(number, &attach_through_engine);
}

}  // namespace theme
