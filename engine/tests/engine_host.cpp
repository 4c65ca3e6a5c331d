#include "engine/tests/engine_host.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <stdexcept>
#include <string>

namespace engine_test {
namespace {

// Live GDI handles created through the engine's import table. Scenarios run
// one at a time, so no lock.
std::set<void*> live;

// Notes a handle the engine created and hands it on.
template <typename Handle>
Handle counted(Handle handle) {
    if (handle != nullptr) live.insert(handle);
    return handle;
}
BOOL released(void* handle, BOOL ok) {
    if (ok) live.erase(handle);
    return ok;
}

HBRUSH WINAPI counted_CreateSolidBrush(COLORREF c) { return counted(CreateSolidBrush(c)); }
HPEN WINAPI counted_CreatePen(int style, int width, COLORREF c) { return counted(CreatePen(style, width, c)); }
HDC WINAPI counted_CreateCompatibleDC(HDC dc) { return counted(CreateCompatibleDC(dc)); }
HBITMAP WINAPI counted_CreateCompatibleBitmap(HDC dc, int w, int h) {
    return counted(CreateCompatibleBitmap(dc, w, h));
}
HRGN WINAPI counted_CreateRoundRectRgn(int l, int t, int r, int b, int w, int h) {
    return counted(CreateRoundRectRgn(l, t, r, b, w, h));
}
HRGN WINAPI counted_CreateRectRgnIndirect(const RECT* rect) { return counted(CreateRectRgnIndirect(rect)); }
HFONT WINAPI counted_CreateFontIndirectA(const LOGFONTA* font) { return counted(CreateFontIndirectA(font)); }
BOOL WINAPI counted_DeleteObject(HGDIOBJ h) { return released(h, DeleteObject(h)); }
BOOL WINAPI counted_DeleteDC(HDC h) { return released(h, DeleteDC(h)); }
HDC WINAPI counted_GetDC(HWND w) { return counted(GetDC(w)); }
int WINAPI counted_ReleaseDC(HWND w, HDC h) { return released(h, ReleaseDC(w, h)); }

struct Replacement {
    const char* name;
    void* function;
};
const Replacement kReplacements[] = {
    {"CreateSolidBrush", reinterpret_cast<void*>(counted_CreateSolidBrush)},
    {"CreatePen", reinterpret_cast<void*>(counted_CreatePen)},
    {"CreateCompatibleDC", reinterpret_cast<void*>(counted_CreateCompatibleDC)},
    {"CreateCompatibleBitmap", reinterpret_cast<void*>(counted_CreateCompatibleBitmap)},
    {"CreateRoundRectRgn", reinterpret_cast<void*>(counted_CreateRoundRectRgn)},
    {"CreateRectRgnIndirect", reinterpret_cast<void*>(counted_CreateRectRgnIndirect)},
    {"CreateFontIndirectA", reinterpret_cast<void*>(counted_CreateFontIndirectA)},
    {"DeleteObject", reinterpret_cast<void*>(counted_DeleteObject)},
    {"DeleteDC", reinterpret_cast<void*>(counted_DeleteDC)},
    {"GetDC", reinterpret_cast<void*>(counted_GetDC)},
    {"ReleaseDC", reinterpret_cast<void*>(counted_ReleaseDC)},
};

// GetGuiResources is a stub under Wine, so the count comes from the engine's
// own import table: every create and delete it makes passes through here.
void count_gdi_calls(HMODULE module) {
    auto* base = reinterpret_cast<unsigned char*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const auto& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         import->Name != 0; ++import) {
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const char* name = reinterpret_cast<const char*>(
                reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name);
            for (const Replacement& r : kReplacements) {
                if (std::strcmp(name, r.name) != 0) continue;
                DWORD old;
                VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
                slots->u1.Function = reinterpret_cast<DWORD_PTR>(r.function);
                VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
            }
        }
    }
}

LRESULT CALLBACK frame_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (frame_messages) frame_messages->push_back({message, lparam, (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0});
    // The sample is laid out for its DPI by whoever moves it.
    if (message == WM_DPICHANGED) return 0;
    return DefWindowProcA(window, message, wparam, lparam);
}

// The GUI font for a sample at `dpi`, kept for the run; null at the screen's
// DPI, where the stock one is that font.
HFONT sample_font(int dpi) {
    static std::map<int, win32::UniqueFont> fonts;
    win32::UniqueFont& font = fonts[dpi];
    if (!font) font = win32::gui_font_for(dpi);
    return font.get();
}

const char* frame_class() {
    static const char* name = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        WNDCLASSA frame{};
        frame.lpfnWndProc = frame_proc;
        frame.hInstance = GetModuleHandleA(nullptr);
        frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        frame.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        frame.lpszClassName = "EngineTestFrame";
        RegisterClassA(&frame);
        return "EngineTestFrame";
    }();
    return name;
}

}  // namespace

thread_local std::vector<Reached>* frame_messages = nullptr;

HMODULE engine_module() {
    static HMODULE module = [] {
        HMODULE loaded = LoadLibraryA(engine::kEngineFileName);
        if (loaded == nullptr) throw std::runtime_error(std::string(engine::kEngineFileName) + " not found");
        count_gdi_calls(loaded);
        return loaded;
    }();
    return module;
}

AttachFunction attach_function() {
    // Through void*: FARPROC has no parameters, the real entry has six.
    return reinterpret_cast<AttachFunction>(
        reinterpret_cast<void*>(GetProcAddress(engine_module(), "SkinH_AttachRes")));
}

int attach(const Bytes& container) {
    auto* copy = static_cast<unsigned char*>(std::malloc(container.size() + 1));
    std::memcpy(copy, container.data(), container.size());
    const int result = attach_function()(copy, static_cast<std::uint32_t>(container.size()), "", 0, 0, 0);
    std::memset(copy, 0xCC, container.size());
    std::free(copy);
    return result;
}

long engine_gdi_objects() { return static_cast<long>(live.size()); }

namespace {
DWORD WINAPI run_scenario(void* scenario) {
    (*static_cast<const std::function<void()>*>(scenario))();
    return 0;
}
}  // namespace

void on_fresh_thread(const std::function<void()>& scenario) {
    const win32::UniqueKernelHandle thread(CreateThread(
        nullptr, 0, run_scenario, const_cast<std::function<void()>*>(&scenario), 0, nullptr));
    WaitForSingleObject(thread.get(), INFINITE);
}

HWND control(const char* cls, const char* text, DWORD style, DWORD ex_style, int x, int y, int w,
             int h, HWND parent) {
    HWND window = CreateWindowExA(ex_style, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                  parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    return window;
}

Sample create_sample(int x, int y, int dpi) {
    const auto px = [dpi](int length) { return win32::scale(length, dpi); };
    Sample s{};
    s.frame = CreateWindowExA(0, frame_class(), "",
                              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE,
                              x, y, px(420), px(320), nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    s.label = control("Static", "标签", SS_LEFT | SS_CENTERIMAGE, 0, px(16), px(8), px(200), px(24), s.frame);
    s.button = control("Button", "关于群", BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | WS_TABSTOP, 0,
                     px(260), px(8), px(120), px(30), s.frame);
    s.tab = control(WC_TABCONTROLA, "", 0, 0, 0, px(48), px(412), px(236), s.frame);
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>("电玩");
    SendMessageA(s.tab, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.pszText = const_cast<char*>("源计划");
    SendMessageA(s.tab, TCM_INSERTITEMA, 1, reinterpret_cast<LPARAM>(&item));
    s.tab_label = control("Static", "电玩安妮", SS_LEFT | SS_CENTERIMAGE, WS_EX_TRANSPARENT, px(32), px(40),
                        px(128), px(32), s.tab);
    s.tab_button = control("Button", "修改", BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | WS_TABSTOP, 0,
                         px(8), px(80), px(96), px(32), s.tab);
    set_dpi_font(s.frame, dpi);
    pump();
    return s;
}

void set_dpi_font(HWND window, int dpi) {
    HFONT font = sample_font(dpi);
    if (font == nullptr) return;
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        set_dpi_font(child, dpi);
}

void pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

Capture::Capture(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_.reset(CreateCompatibleDC(nullptr));
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<std::uint32_t*>(bits);
    selected_.emplace(dc_.get(), bitmap_.get());
    // A colour no theme uses, so an unpainted pixel can't pass for a painted one.
    RECT all{0, 0, width_, height_};
    const win32::UniqueBrush marker(CreateSolidBrush(RGB(1, 2, 3)));
    FillRect(dc_.get(), &all, marker.get());
    PrintWindow(window, dc_.get(), PW_CLIENTONLY);
    GdiFlush();
}

COLORREF Capture::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    const std::uint32_t pixel = bits_[y * width_ + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

bool Capture::operator==(const Capture& other) const {
    return width_ == other.width_ && height_ == other.height_ &&
           std::memcmp(bits_, other.bits_, sizeof(std::uint32_t) * width_ * height_) == 0;
}

bool close_to(COLORREF actual, COLORREF expected, int tolerance) {
    if (actual == CLR_INVALID) return false;
    return std::abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
           std::abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
           std::abs(GetBValue(actual) - GetBValue(expected)) <= tolerance;
}

bool close_to(COLORREF actual, engine::Rgb expected, int tolerance) {
    return close_to(actual, RGB(expected.r, expected.g, expected.b), tolerance);
}

}  // namespace engine_test
