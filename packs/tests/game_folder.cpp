#include "game_folder.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "runtime/file_io.h"
#include "win32/unique_handle.h"

namespace packs_test {

std::string Captured::game_directory;
std::vector<std::string> Captured::messages;
int Captured::writes = 0;

runtime::Text read_captured_game_directory() { return Captured::game_directory; }
void capture_message(std::string_view text) { Captured::messages.emplace_back(text); }
bool counting_write(HANDLE file, runtime::ByteSet bytes) {
    ++Captured::writes;
    return runtime::write_all(file, bytes);
}

packs::OperationHooks captured_hooks(packs::ChunkWriter write) {
    return packs::OperationHooks{read_captured_game_directory, capture_message, write};
}

GameFolder::GameFolder(bool with_game_folder)
    : directory_(temp_.path_of(test_support::gbk(u8"英雄联盟"))) {
    CreateDirectoryA(directory_.c_str(), nullptr);
    if (with_game_folder) CreateDirectoryA((directory_ + "\\Game").c_str(), nullptr);
    Captured::game_directory = directory_;
    Captured::messages.clear();
    Captured::writes = 0;
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
