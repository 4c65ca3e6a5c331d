// Figures for the apply path, printed, never asserted:
//   apply of entry 16 (35 MB) against CopyFileA of the same bytes into the
//   same folder, plain and durable (the copy flushed to the disk, as apply
//   flushes its files), medians of interleaved runs, and the ratios.
// Run it through scripts/bench-packs.sh, which also times the embed step and
// prints the shipped program's size against the payload it carries.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "packs/catalogue.h"
#include "packs/messages.h"
#include "packs/pack_operations.h"
#include "packs/temporary_files.h"
#include "runtime/write_file.h"
#include "win32/unique_handle.h"
#include "runtime/text.h"
#include "tests/support/figures.h"

namespace {

constexpr int kBenchEntry = 16;
constexpr int kRuns = 15;

std::string g_game_directory;
int g_messages = 0;
std::string g_last_message;

runtime::Text read_game_directory() { return g_game_directory; }
void count_message(std::string_view text) {
    ++g_messages;
    g_last_message = text;
}

// CopyFileA, then the copy's bytes flushed to the disk.
bool durable_copy(const std::string& from, const std::string& to) {
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) return false;
    const win32::UniqueFile file(CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && FlushFileBuffers(file.get());
}

std::uint64_t file_size(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return 0;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string root = std::string(temp) + "packs-bench-" + std::to_string(GetCurrentProcessId());
    g_game_directory = root + "\\lol";
    const std::string game = g_game_directory + "\\Game";
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA(g_game_directory.c_str(), nullptr);
    CreateDirectoryA(game.c_str(), nullptr);

    const packs::CatalogueEntry& entry = packs::catalogue_entry(kBenchEntry);
    const packs::PackFiles pack{entry.pack_file_name, entry.archive, entry.manifest};
    const packs::OperationHooks hooks{read_game_directory, count_message, runtime::FileSteps{}};
    // CopyFileA needs the same bytes in a file of their own, outside Game.
    const std::string source = root + "\\source.zip";
    const std::string copy = game + "\\copy.zip";
    if (runtime::write_file(source, entry.archive, {}) != 0) {
        std::printf("cannot write %s\n", source.c_str());
        return 1;
    }

    const std::string target = game + "\\" + std::string(entry.pack_file_name);
    // Two cases: a first install (no file there yet), and a re-install over
    // the same pack, where the file system also frees the old 35 MB.
    for (bool replacing : {false, true}) {
        std::vector<double> apply_ms, copy_ms, durable_ms;
        auto run_apply = [&] {
            if (!replacing) DeleteFileA(target.c_str());
            const double start = test_support::now_ms();
            packs::apply_pack_files(pack, hooks);
            apply_ms.push_back(test_support::now_ms() - start);
        };
        auto run_copy = [&] {
            if (!replacing) DeleteFileA(copy.c_str());
            const double start = test_support::now_ms();
            CopyFileA(source.c_str(), copy.c_str(), FALSE);
            copy_ms.push_back(test_support::now_ms() - start);
        };
        auto run_durable_copy = [&] {
            if (!replacing) DeleteFileA(copy.c_str());
            const double start = test_support::now_ms();
            durable_copy(source, copy);
            durable_ms.push_back(test_support::now_ms() - start);
        };
        run_apply();  // warm-up: first touch of the mapped pages, file creation
        run_copy();
        run_durable_copy();
        apply_ms.clear();
        copy_ms.clear();
        durable_ms.clear();
        for (int i = 0; i < kRuns; ++i) {
            // Turning the order keeps a steady drift out of the ratios.
            switch (i % 3) {
            case 0: run_apply(); run_copy(); run_durable_copy(); break;
            case 1: run_durable_copy(); run_apply(); run_copy(); break;
            default: run_copy(); run_durable_copy(); run_apply(); break;
            }
        }
        const bool written = file_size(target.c_str()) == entry.archive.size &&
                             g_last_message == packs::apply_message();
        const double apply_median = test_support::median(apply_ms);
        const double copy_median = test_support::median(copy_ms);
        const double durable_median = test_support::median(durable_ms);
        const char* what = replacing ? "over the same pack" : "first install";
        std::printf("%s: apply entry %d (%u bytes) median %.1f ms, CopyFileA of the same bytes "
                    "median %.1f ms, CopyFileA + FlushFileBuffers median %.1f ms (%d interleaved runs each)%s\n",
                    what, kBenchEntry, entry.archive.size, apply_median, copy_median, durable_median, kRuns,
                    written ? "" : " APPLY FAILED");
        std::printf("%s: ratio apply / durable copy %.3f (target <= 1.10); apply / plain CopyFileA %.3f\n", what,
                    apply_median / durable_median, apply_median / copy_median);
    }

    // The archive step alone: the embedded bytes through the write path into
    // a temporary file and renamed into place, no manifest.
    {
        std::vector<double> write_ms, copy_ms;
        for (int i = 0; i < kRuns + 1; ++i) {
            DeleteFileA(target.c_str());
            DeleteFileA(copy.c_str());
            double start = test_support::now_ms();
            runtime::write_file(target, entry.archive, packs::game_folder_write(game, true));
            write_ms.push_back(test_support::now_ms() - start);
            start = test_support::now_ms();
            durable_copy(source, copy);
            copy_ms.push_back(test_support::now_ms() - start);
        }
        write_ms.erase(write_ms.begin());  // warm-up
        copy_ms.erase(copy_ms.begin());
        const double write_median = test_support::median(write_ms);
        const double copy_median = test_support::median(copy_ms);
        std::printf("archive step only: median %.1f ms, durable copy median %.1f ms, ratio %.3f\n",
                    write_median, copy_median, write_median / copy_median);
    }

    DeleteFileA(source.c_str());
    DeleteFileA(copy.c_str());
    DeleteFileA(target.c_str());
    DeleteFileA((game + "\\ClientZips.txt").c_str());
    RemoveDirectoryA(game.c_str());
    RemoveDirectoryA(g_game_directory.c_str());
    RemoveDirectoryA(root.c_str());
    return g_messages == 2 * (kRuns + 1) ? 0 : 1;
}
