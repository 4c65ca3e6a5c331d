// Start-up cost of the 100 MB of packs: the program against the same program
// built with empty stand-in packs, from process start to the folder dialog and
// to the main window, and the peak working set; given a DPI, the start to the
// main window on a screen of that DPI against 96. Prints medians and ratios.
//   startup_bench <program> <program with empty packs> [runs [dpi]]
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/tests/driver/install_path.h"
#include "app/tests/driver/program_under_test.h"
#include "tests/support/figures.h"
#include "tests/support/box_watcher.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_directory.h"

namespace {

constexpr DWORD kTimeoutMs = 30000;

// Polls every millisecond: the figures are a few hundred milliseconds, and the
// test library's 20 ms step would blur them.
template <typename Probe>
auto poll_fast(Probe probe) {
    const ULONGLONG end = GetTickCount64() + kTimeoutMs;
    for (;;) {
        auto value = probe();
        if (value || GetTickCount64() >= end) return value;
        Sleep(1);
    }
}

HWND visible_folder_dialog(DWORD process_id) { return test_support::wait_for_folder_dialog(process_id, 0); }

struct Figures {
    std::vector<double> to_dialog, to_window, peak_megabytes;
};

// InstallPath set: the folder dialog is the first thing on screen; cancelled.
void measure_to_dialog(const std::string& program_path, Figures& figures) {
    const startup_driver::InstallPathValue install_path(std::string("C:\\Games"));
    const double start = test_support::now_ms();
    test_support::ChildProcess program(program_path);
    const HWND dialog = poll_fast([&] { return visible_folder_dialog(program.id()); });
    if (dialog == nullptr) throw std::runtime_error("no folder dialog");
    figures.to_dialog.push_back(test_support::now_ms() - start);
    test_support::press_button(dialog, IDCANCEL);
    if (const auto box = test_support::wait_for_message_box(program.id(), kTimeoutMs)) test_support::press_ok(box->box);
    program.wait(kTimeoutMs);
}

// No InstallPath: one box, answered at once, then the main window.
void measure_to_window(const std::string& program_path, Figures& figures) {
    const startup_driver::InstallPathValue install_path(std::nullopt);
    const double start = test_support::now_ms();
    test_support::ChildProcess program(program_path);
    const auto box = poll_fast([&] { return test_support::wait_for_message_box(program.id(), 0); });
    if (!box) throw std::runtime_error("no not-found message");
    test_support::press_ok(box->box);
    const HWND window = poll_fast([&]() -> HWND {
        const HWND found = startup_driver::find_main_window(program.id());
        return found != nullptr && IsWindowVisible(found) ? found : nullptr;
    });
    if (window == nullptr) throw std::runtime_error("no main window");
    figures.to_window.push_back(test_support::now_ms() - start);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(program.handle(), &memory, sizeof memory))
        figures.peak_megabytes.push_back(static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0));
    startup_driver::close_and_wait(program, window);
}

void print_samples(const char* what, const std::vector<double>& values, double scale) {
    std::printf("  %-24s", what);
    for (double value : values) std::printf(" %7.1f", value * scale);
    std::printf("\n");
}

void print_line(const char* what, const std::vector<double>& packs, const std::vector<double>& empty,
                const char* unit, double scale) {
    const double a = test_support::median(packs), b = test_support::median(empty);
    print_samples((std::string(what) + ", packs").c_str(), packs, scale);
    print_samples((std::string(what) + ", empty").c_str(), empty, scale);
    std::printf("%-18s packs %8.1f %s   empty packs %8.1f %s   ratio %.3f\n", what, a * scale, unit, b * scale,
                unit, b > 0 ? a / b : 0.0);
}

// The program's start to its main window on a screen of `dpi` against 96,
// interleaved.
void compare_dpi(const std::string& program, int dpi, int runs) {
    Figures figures[2];
    const int dpis[2] = {dpi, 96};
    for (int round = 0; round <= runs; ++round) {
        for (int k = 0; k < 2; ++k) {
            const int i = (round + k) % 2;
            const startup_driver::ScreenDpiValue screen(static_cast<DWORD>(dpis[i]));
            Figures warm_up;
            measure_to_window(program, round == 0 ? warm_up : figures[i]);  // round 0 warms up
        }
    }
    const double at_dpi = test_support::median(figures[0].to_window), at_96 = test_support::median(figures[1].to_window);
    std::printf("to main window at %d DPI %8.1f ms   at 96 DPI %8.1f ms   ratio %.3f\n", dpi, at_dpi, at_96,
                at_96 > 0 ? at_dpi / at_96 : 0.0);
}

int run(const std::string& packs_program, const std::string& empty_program, int runs, int dpi) {
    // Each program in a folder of its own, where its first start writes the
    // engine file; that start is a warm-up and not measured.
    test_support::TempDirectory packs_folder, empty_folder;
    const std::string programs[2] = {startup_driver::place_program(packs_program, packs_folder.path()),
                                     startup_driver::place_program(empty_program, empty_folder.path())};
    Figures figures[2];
    for (int i = 0; i < 2; ++i) {
        Figures warm_up;
        measure_to_window(programs[i], warm_up);
    }
    for (int round = 0; round < runs; ++round) {
        // Alternate which goes first, so neither always starts on a warmer cache.
        for (int k = 0; k < 2; ++k) {
            const int i = (round + k) % 2;
            measure_to_dialog(programs[i], figures[i]);
            measure_to_window(programs[i], figures[i]);
        }
    }
    std::printf("startup_bench: %d runs of each program, interleaved; medians\n", runs);
    print_line("to folder dialog", figures[0].to_dialog, figures[1].to_dialog, "ms", 1);
    print_line("to main window", figures[0].to_window, figures[1].to_window, "ms", 1);
    print_line("peak working set", figures[0].peak_megabytes, figures[1].peak_megabytes, "MB", 1);
    if (dpi != 0) compare_dpi(programs[0], dpi, runs);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench <program> <program with empty packs> [runs [dpi]]\n");
        return 2;
    }
    try {
        return run(argv[1], argv[2], argc > 3 ? std::max(1, std::atoi(argv[3])) : 5, argc > 4 ? std::atoi(argv[4]) : 0);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "startup_bench: %s\n", error.what());
        return 1;
    }
}
