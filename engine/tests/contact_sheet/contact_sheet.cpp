// Draws the sample window under each of the 33 themes into one picture:
//     engine_contact_sheet.exe SHEET.bmp [DEFAULT.bmp [SECONDS]]
// SHEET.bmp gets all 33 in a grid (number under each); DEFAULT.bmp, when
// given, the sample under theme 5 at full size; SECONDS keeps that window on
// the screen for a screenshot of the real thing, caption included. Drawn at
// the screen's DPI (Wine's LogPixels): 150 % for the sheet at 144.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "engine/tests/embedded_themes.h"
#include "engine/tests/engine_host.h"
#include "win32/gdi.h"

namespace {

using engine_test::Sample;

constexpr int kColumns = 6;
constexpr int kLabelHeight = 28;

// A bitmap to draw into, compatible with `like`.
struct Surface {
    win32::UniqueMemoryDc dc;
    win32::UniqueBitmap bitmap;
    std::optional<win32::SelectGuard> selected;
    Surface(HDC like, int width, int height)
        : dc(CreateCompatibleDC(like)), bitmap(CreateCompatibleBitmap(like, width, height)) {
        selected.emplace(dc.get(), bitmap.get());
    }
};

// Wine's PrintWindow leaves children and the caption out, so the client area
// of each window is printed on its own and placed where it stands, bottom of
// the z-order first.
void compose(HWND window, HDC dc, POINT origin) {
    RECT rect;
    GetClientRect(window, &rect);
    const int width = rect.right, height = rect.bottom;
    {
        const Surface layer(dc, width, height);
        PrintWindow(window, layer.dc.get(), PW_CLIENTONLY);
        BitBlt(dc, origin.x, origin.y, width, height, layer.dc.get(), 0, 0, SRCCOPY);
    }

    for (HWND child = GetWindow(window, GW_CHILD) ? GetWindow(GetWindow(window, GW_CHILD), GW_HWNDLAST) : nullptr;
         child != nullptr; child = GetWindow(child, GW_HWNDPREV)) {
        if (!IsWindowVisible(child)) continue;
        RECT place;
        GetWindowRect(child, &place);
        POINT at{place.left, place.top};
        ScreenToClient(window, &at);
        compose(child, dc, POINT{origin.x + at.x, origin.y + at.y});
    }
}

bool save_bmp(HDC dc, HBITMAP bitmap, int width, int height, const char* path) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::string pixels(static_cast<std::size_t>(stride) * height, '\0');
    GetDIBits(dc, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = std::fopen(path, "wb");
    if (out == nullptr) return false;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&header, sizeof header, 1, out);
    std::fwrite(pixels.data(), 1, pixels.size(), out);
    return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: engine_contact_sheet SHEET.bmp [DEFAULT.bmp]\n");
        return 2;
    }
    win32::become_per_monitor_aware();
    const int dpi = win32::system_dpi();
    const int label_height = win32::scale(kLabelHeight, dpi);
    const Sample sample = engine_test::create_sample(0, 0, dpi);
    RECT frame;
    GetClientRect(sample.frame, &frame);
    const int cell_width = frame.right, cell_height = frame.bottom;
    const int rows = (engine_test::kThemeCount + kColumns - 1) / kColumns;
    const int width = kColumns * cell_width, height = rows * (cell_height + label_height);
    const win32::WindowDc screen(nullptr, win32::WindowDc::kClientArea);
    const Surface sheet(screen.get(), width, height);
    RECT all{0, 0, width, height};
    FillRect(sheet.dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const win32::SelectGuard font(sheet.dc.get(), GetStockObject(DEFAULT_GUI_FONT));

    int failures = 0;
    for (int n = 1; n <= engine_test::kThemeCount; ++n) {
        if (engine_test::attach(engine_test::theme_container(n)) != 0) {
            std::fprintf(stderr, "theme %d refused\n", n);
            ++failures;
            continue;
        }
        engine_test::pump();
        const POINT at{((n - 1) % kColumns) * cell_width, ((n - 1) / kColumns) * (cell_height + label_height)};
        compose(sample.frame, sheet.dc.get(), at);
        char caption[32];
        std::snprintf(caption, sizeof caption, "主题 %d", n);
        RECT text{at.x, at.y + cell_height, at.x + cell_width, at.y + cell_height + label_height};
        DrawTextA(sheet.dc.get(), caption, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (!save_bmp(sheet.dc.get(), sheet.bitmap.get(), width, height, argv[1])) return 1;

    if (argc > 2) {
        engine_test::attach(engine_test::theme_container(5));
        engine_test::pump();
        const Surface single(screen.get(), cell_width, cell_height);
        compose(sample.frame, single.dc.get(), POINT{0, 0});
        if (!save_bmp(single.dc.get(), single.bitmap.get(), cell_width, cell_height, argv[2])) return 1;
        if (argc > 3) {
            SetWindowTextA(sample.frame, "主题 5");
            const DWORD until = GetTickCount() + 1000u * static_cast<DWORD>(std::atoi(argv[3]));
            while (GetTickCount() < until) {
                engine_test::pump();
                Sleep(20);
            }
        }
    }
    DestroyWindow(sample.frame);
    return failures == 0 ? 0 : 1;
}
