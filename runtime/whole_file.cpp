#include "runtime/whole_file.h"

#include <utility>

#include "win32/unique_handle.h"

namespace runtime {

namespace {

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

DWORD fill(HANDLE created, ByteSet bytes, const FileSteps& steps) {
    StepFile file(steps, created);
    if (!steps.write(file.get(), bytes)) return GetLastError();
    // A rename can reach the disk before the data it names: after a power
    // cut the file would be there, empty or cut short.
    if (!steps.flush(file.get())) return GetLastError();
    return file.close();
}

}  // namespace

DWORD write_file_whole(const Text& temporary, const Text& target, ByteSet bytes, DWORD move_flags,
                       const FileSteps& steps) {
    HANDLE created = INVALID_HANDLE_VALUE;
    // A temporary file left by an earlier run may be held by a scanner.
    DWORD error = retry_while_transient(
        [&] {
            created = steps.open(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 nullptr);
            return error_unless(created != INVALID_HANDLE_VALUE);
        },
        steps.pause);
    // Not created: whatever has that name is not ours to delete.
    if (error != 0) return error;
    return fill_and_move(created, temporary, target, bytes, move_flags, steps);
}

DWORD fill_and_move(HANDLE created, const Text& temporary, const Text& target, ByteSet bytes, DWORD move_flags,
                    const FileSteps& steps) {
    DWORD error = fill(created, bytes, steps);
    // A scanner opens a file right after it is written.
    if (error == 0)
        error = retry_while_transient(
            [&] {
                return error_unless(steps.move(temporary.c_str(), target.c_str(), move_flags | MOVEFILE_WRITE_THROUGH));
            },
            steps.pause);
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
