#include "runtime/write_file.h"

#include <algorithm>
#include <utility>

#include "runtime/transient_retry.h"
#include "win32/unique_handle.h"

namespace runtime {

namespace {

// One WriteFile of tens of megabytes fails on some file systems and network
// shares (ERROR_NO_SYSTEM_RESOURCES, or a short count); 4 MB never has.
constexpr std::uint32_t kChunkSize = 4u << 20;

// Numbers a namer is asked for before the folder counts as full.
constexpr unsigned kMostTemporaryNames = 0xFFFF;

DWORD error_unless(bool done) { return done ? 0 : GetLastError(); }

// The temporary file's handle, closed through the steps, so that a recorder
// sees every close, and never twice.
class StepFile {
public:
    StepFile(const FileSteps& steps, HANDLE file) : steps_(steps), file_(file) {}
    StepFile(const StepFile&) = delete;
    StepFile& operator=(const StepFile&) = delete;
    ~StepFile() {
        if (file_ != INVALID_HANDLE_VALUE) win32::keeping_last_error([this] { steps_.close(file_); });
    }
    HANDLE get() const { return file_; }
    // Closing can still report a failed delayed write (network shares).
    DWORD close() { return error_unless(steps_.close(std::exchange(file_, INVALID_HANDLE_VALUE)) != FALSE); }

private:
    const FileSteps& steps_;
    HANDLE file_;
};

HANDLE open_new(const Text& path, DWORD disposition, const FileSteps& steps) {
    return steps.open(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Creates the temporary file, held unshared from the moment it exists. Not
// created: whatever has that name is not ours to delete.
DWORD create_temporary(const Text& target, const WriteOptions& options, const FileSteps& steps, HANDLE& created,
                       Text& path) {
    if (options.namer == nullptr) {
        path = join_texts({target, kTemporarySuffix});
        // What an earlier run left there may be held by a scanner.
        return retry_while_transient(
            [&] { return error_unless((created = open_new(path, CREATE_ALWAYS, steps)) != INVALID_HANDLE_VALUE); },
            steps.pause);
    }
    // Two copies of the program rarely start from the same number; a name
    // still being deleted (a scanner holds the old file) gives access denied,
    // and the retry goes on with the next names.
    unsigned number = GetTickCount();
    return retry_while_transient(
        [&]() -> DWORD {
            for (unsigned tried = 0; tried < kMostTemporaryNames; ++tried) {
                path = options.namer(options.folder, number++);
                created = open_new(path, CREATE_NEW, steps);
                if (created != INVALID_HANDLE_VALUE) return 0;
                const DWORD error = GetLastError();
                if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return error;
            }
            return ERROR_FILE_EXISTS;
        },
        steps.pause);
}

DWORD fill(HANDLE created, ByteSet bytes, const FileSteps& steps) {
    StepFile file(steps, created);
    if (!steps.write(file.get(), bytes)) return GetLastError();
    // A rename can reach the disk before the data it names: after a power
    // cut the file would be there, empty or cut short.
    if (!steps.flush(file.get())) return GetLastError();
    return file.close();
}

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

DWORD write_file(const Text& target, ByteSet bytes, const WriteOptions& options, const FileSteps& steps) {
    if (target.empty()) return ERROR_INVALID_NAME;
    if (options.refused_attributes != 0) {
        const DWORD attributes = GetFileAttributesA(target.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & options.refused_attributes) != 0)
            return ERROR_ACCESS_DENIED;
    }

    HANDLE created = INVALID_HANDLE_VALUE;
    Text temporary;
    if (const DWORD error = create_temporary(target, options, steps, created, temporary)) return error;
    DWORD error = fill(created, bytes, steps);
    // A scanner opens a file right after it is written.
    const DWORD move_flags = (options.replace ? MOVEFILE_REPLACE_EXISTING : 0) | MOVEFILE_WRITE_THROUGH;
    if (error == 0)
        error = retry_while_transient(
            [&] { return error_unless(steps.move(temporary.c_str(), target.c_str(), move_flags)); }, steps.pause);
    if (error != 0)
        retry_while_transient(
            [&] {
                const bool gone = steps.remove(temporary.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
                return error_unless(gone);
            },
            steps.pause);
    return error;
}

}  // namespace runtime
