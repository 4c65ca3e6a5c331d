// Prints how long the engine takes, against baselines measured in the same run:
//   - the attach call for theme 5 (decode and set-up) against a plain decode
//     of the same container with the same decoder, median of 20;
//   - one window server round trip, the unit of attach's floor: attach must
//     list the children of every window it finds, one round trip each;
//   - repainting a window laid out like the program's main window, themed
//     against unthemed, median of 20;
//   - the same themed repaint at 144 DPI (the window and its fonts 150 %, the
//     engine told by WM_DPICHANGED) against 96: 2.25 times the pixels.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/core/container.h"
#include "engine/tests/embedded_themes.h"
#include "engine/tests/engine_host.h"
#include "tests/support/figures.h"

namespace {

constexpr int kRuns = 20;

using engine_test::control;
using test_support::median;
using test_support::now_ms;

// The program's main window in miniature at `dpi`, `left` pixels from the
// screen's edge: path field, one button, a
// tab control with twelve rows of a transparent label and two buttons.
HWND main_window_like(int dpi = win32::kBaseDpi, int left = 0) {
    const auto px = [dpi](int length) { return win32::scale(length, dpi); };
    const engine_test::Sample sample = engine_test::create_sample(0, 0, dpi);
    SetWindowPos(sample.frame, nullptr, left, 0, px(811), px(472), SWP_NOZORDER);
    SetWindowPos(sample.tab, nullptr, 0, px(48), px(808), px(400), SWP_NOZORDER);
    for (int row = 0; row < 12; ++row) {
        const int x = (row % 3) * 216 + 8, y = (row / 3) * 88 + 120;
        control("Static", "电玩 探险家", SS_LEFT | SS_CENTERIMAGE, WS_EX_TRANSPARENT, px(x + 16), px(y), px(128),
                px(32), sample.tab);
        control("Button", "修改", BS_PUSHBUTTON | BS_CENTER | BS_VCENTER, 0, px(x), px(y + 40), px(96), px(32),
                sample.tab);
        control("Button", "恢复", BS_PUSHBUTTON | BS_CENTER | BS_VCENTER, 0, px(x + 104), px(y + 40), px(96),
                px(32), sample.tab);
    }
    engine_test::set_dpi_font(sample.frame, dpi);
    engine_test::pump();
    return sample.frame;
}

// One round trip to the window server: reading a window property is one on
// Wine. Attach can't beat a round trip per window it finds (listing a
// window's children is one), so this is the unit its floor is measured in.
double round_trip_ms() {
    constexpr int kCalls = 200;
    std::vector<double> samples;
    engine_test::on_fresh_thread([&] {
        HWND window = CreateWindowExA(0, "Static", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        for (int i = 0; i < kRuns; ++i) {
            const double start = now_ms();
            for (int call = 0; call < kCalls; ++call) GetPropA(window, "bench");
            samples.push_back((now_ms() - start) / kCalls);
        }
        DestroyWindow(window);
    });
    return median(samples);
}

// The frame and all its descendants: the windows attach has to find.
BOOL CALLBACK count_one(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int window_count(HWND frame) {
    int count = 1;
    EnumChildWindows(frame, count_one, reinterpret_cast<LPARAM>(&count));
    return count;
}

double repaint_ms(HWND frame, int runs = kRuns) {
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        const double start = now_ms();
        RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        GdiFlush();
        samples.push_back(now_ms() - start);
    }
    return median(samples);
}

struct Repaints {
    double plain, themed;
};

// One repaint of each window in turn, kRuns times: the machine's load falls on
// both alike. The medians of each.
std::pair<double, double> interleaved_repaints(HWND first, HWND second) {
    std::vector<double> samples[2];
    for (int i = 0; i < kRuns; ++i) {
        samples[0].push_back(repaint_ms(first, 1));
        samples[1].push_back(repaint_ms(second, 1));
    }
    return {median(samples[0]), median(samples[1])};
}

// The main window's repaint at 144 DPI and at 96, unthemed and themed.
std::pair<Repaints, Repaints> repaints_at_144_and_96(const engine_test::Bytes& theme) {
    Repaints at_144{}, at_96{};
    engine_test::on_fresh_thread([&] {
        HWND large = main_window_like(144, 0), small = main_window_like(96, win32::scale(811, 144));
        interleaved_repaints(large, small);  // warm up fonts and caches
        std::tie(at_144.plain, at_96.plain) = interleaved_repaints(large, small);
        engine_test::attach(theme);
        RECT place;
        GetWindowRect(large, &place);
        SendMessageA(large, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&place));
        engine_test::pump();
        interleaved_repaints(large, small);
        std::tie(at_144.themed, at_96.themed) = interleaved_repaints(large, small);
        DestroyWindow(large);
        DestroyWindow(small);
    });
    return {at_144, at_96};
}

}  // namespace

int main() {
    const engine_test::Bytes theme = engine_test::theme_container(5);
    engine_test::attach_function();  // load the DLL outside the timings

    std::vector<double> decode, attach;
    int windows = 0;
    for (int i = 0; i < kRuns; ++i) {
        engine::Content content;
        const double start = now_ms();
        engine::decode_container(theme.data(), theme.size(), content);
        decode.push_back(now_ms() - start);
    }
    for (int i = 0; i < kRuns; ++i) {
        // Each attach on a new thread that already has its main window, as at
        // start-up: hook, resources, walking and invalidating the windows.
        engine_test::on_fresh_thread([&] {
            HWND frame = main_window_like();
            windows = window_count(frame);
            const double start = now_ms();
            engine_test::attach_function()(theme.data(), static_cast<std::uint32_t>(theme.size()), "", 0, 0, 0);
            attach.push_back(now_ms() - start);
            DestroyWindow(frame);
        });
    }
    std::vector<double> bare;
    for (int i = 0; i < kRuns; ++i) {
        engine_test::on_fresh_thread([&] {
            const double start = now_ms();
            engine_test::attach_function()(theme.data(), static_cast<std::uint32_t>(theme.size()), "", 0, 0, 0);
            bare.push_back(now_ms() - start);
        });
    }
    std::printf("attach theme 5 on a thread without windows (hook, font, brushes): median %.3f ms\n",
                median(bare));
    std::printf("attach theme 5 (%zu bytes): median %.3f ms; plain decode: median %.3f ms; ratio %.2f\n",
                theme.size(), median(attach), median(decode), median(attach) / median(decode));
    const double trip = round_trip_ms();
    std::printf("window server round trip: median %.4f ms; attach without windows %.1f trips, "
                "with the main window %.1f trips (%.2f per window of %d)\n",
                trip, median(bare) / trip, median(attach) / trip,
                (median(attach) - median(bare)) / trip / windows, windows);

    double plain = 0, themed = 0;
    engine_test::on_fresh_thread([&] {
        HWND frame = main_window_like();
        repaint_ms(frame);  // warm up fonts and caches
        plain = repaint_ms(frame);
        engine_test::attach(theme);
        engine_test::pump();
        repaint_ms(frame);
        themed = repaint_ms(frame);
        DestroyWindow(frame);
    });
    std::printf("repaint main window (811x472, 37 controls): plain median %.3f ms; themed median %.3f ms; ratio %.2f\n",
                plain, themed, themed / plain);
    const auto [at_144, at_96] = repaints_at_144_and_96(theme);
    std::printf("repaint main window themed at 144 DPI (1217x708): median %.3f ms; at 96 DPI: median %.3f ms; "
                "ratio %.2f (pixels 2.25; unthemed %.3f ms against %.3f ms, ratio %.2f)\n",
                at_144.themed, at_96.themed, at_144.themed / at_96.themed, at_144.plain, at_96.plain,
                at_144.plain / at_96.plain);
    return 0;
}
