#include "game_folder.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include <gtest/gtest.h>

#include "runtime/file_steps.h"
#include "win32/unique_handle.h"

namespace packs_test {

std::string Captured::game_directory;
std::vector<std::string> Captured::messages;
int Captured::writes = 0;
std::vector<FileStep> Captured::steps;
std::vector<DWORD> Captured::pauses;

namespace {

std::uint64_t file_id(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file, &information)) return 0;
    return (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
}

std::uint64_t file_id(LPCSTR path) {
    const win32::UniqueFile file(CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file ? file_id(file.get()) : 0;
}

BOOL WINAPI recorded_flush(HANDLE file) {
    Captured::steps.push_back({FileStep::kFlush, file_id(file)});
    return FlushFileBuffers(file);
}

BOOL WINAPI recorded_close(HANDLE file) {
    Captured::steps.push_back({FileStep::kClose, file_id(file)});
    return CloseHandle(file);
}

BOOL WINAPI recorded_move(LPCSTR from, LPCSTR to, DWORD flags) {
    Captured::steps.push_back({FileStep::kMove, file_id(from)});
    return MoveFileExA(from, to, flags);
}

void recorded_pause(DWORD milliseconds) { Captured::pauses.push_back(milliseconds); }

}  // namespace

void start_capturing(const std::string& directory) {
    Captured::game_directory = directory;
    Captured::messages.clear();
    Captured::writes = 0;
    Captured::steps.clear();
    Captured::pauses.clear();
}

runtime::Text read_captured_game_directory() { return Captured::game_directory; }
void capture_message(std::string_view text) { Captured::messages.emplace_back(text); }
bool counting_write(HANDLE file, runtime::ByteSet bytes) {
    ++Captured::writes;
    Captured::steps.push_back({FileStep::kWrite, file_id(file)});
    return runtime::write_all(file, bytes);
}

packs::OperationHooks captured_hooks(decltype(runtime::FileSteps::write) write) {
    return packs::OperationHooks{read_captured_game_directory, capture_message,
                                 runtime::FileSteps{.write = write, .flush = recorded_flush, .close = recorded_close,
                                                  .move = recorded_move, .pause = recorded_pause}};
}

std::size_t expect_every_move_follows_a_flush() {
    const std::vector<FileStep>& steps = Captured::steps;
    std::size_t moves = 0;
    for (std::size_t move = 0; move < steps.size(); ++move) {
        if (steps[move].kind != FileStep::kMove) continue;
        // Back from the move: a close, then a flush, with no write of the file in between.
        bool closed = false, flushed = false;
        for (std::size_t i = move; i-- > 0 && !flushed;) {
            if (steps[i].file != steps[move].file) continue;
            if (steps[i].kind == FileStep::kWrite || steps[i].kind == FileStep::kMove) break;
            if (steps[i].kind == FileStep::kClose) closed = true;
            if (steps[i].kind == FileStep::kFlush) flushed = closed;
        }
        EXPECT_TRUE(flushed) << "move " << move << " of a file not flushed and closed since its last write";
        ++moves;
    }
    return moves;
}

GameFolder::GameFolder(bool with_game_folder)
    : directory_(temp_.path_of(test_support::gbk(u8"英雄联盟"))) {
    CreateDirectoryA(directory_.c_str(), nullptr);
    if (with_game_folder) CreateDirectoryA((directory_ + "\\Game").c_str(), nullptr);
    start_capturing(directory_);
}

std::string GameFolder::game_path(std::string_view name) const {
    return directory_ + "\\Game\\" + std::string(name);
}

std::vector<std::string> GameFolder::game_files() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const win32::UniqueFind find(FindFirstFileA(game_path("*").c_str(), &found));
    if (!find) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find.get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

std::string bytes_of(runtime::ByteSet bytes) {
    return std::string(reinterpret_cast<const char*>(bytes.data), bytes.size);
}

const std::string& largest_pack_stand_in() {
    static const std::string bytes = [] {
        std::string made(35'455'964, '\0');
        std::uint32_t state = 2463534242u;  // xorshift: no run of equal chunks
        for (char& byte : made) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            byte = static_cast<char>(state);
        }
        return made;
    }();
    return bytes;
}

runtime::ByteSet byte_set(const std::string& bytes) {
    return runtime::ByteSet{reinterpret_cast<const unsigned char*>(bytes.data()),
                            static_cast<std::uint32_t>(bytes.size())};
}

}  // namespace packs_test
