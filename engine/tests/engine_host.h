#pragma once
// A small host for the engine in the tests, the bench and the contact sheet:
// loads SkinH_EL.dll, counts the GDI objects it creates, builds sample windows
// and reads back their pixels.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "engine/core/theme.h"
#include "engine/skinh_el.h"
#include "engine/tests/theme_bytes.h"
#include "win32/dpi.h"
#include "win32/gdi.h"

namespace engine_test {

using AttachFunction = decltype(&SkinH_AttachRes);

// The engine beside the test program, loaded once, with its GDI calls counted.
HMODULE engine_module();
AttachFunction attach_function();

// Calls the engine the way the program does: a private copy of the bytes, freed
// (and scribbled over first) as soon as the call returns.
int attach(const Bytes& container);

// GDI objects and DCs that the engine created and has not released yet.
long engine_gdi_objects();

// Runs `scenario` on a thread of its own: a thread starts with no theme and
// its windows die with it, so scenarios can't see each other's skin.
void on_fresh_thread(const std::function<void()>& scenario);

// The sample window: a captioned frame with an opaque label, a push button and
// a tab control holding a transparent label and a button, laid out (and in a
// GUI font) for `dpi`.
struct Sample {
    HWND frame, label, button, tab, tab_label, tab_button;
};
Sample create_sample(int x = 40, int y = 40, int dpi = win32::kBaseDpi);

// The sample frame's own procedure hands every message to DefWindowProc; it
// notes each one here, while this points somewhere, with whether the frame
// was marked visible then.
struct Reached {
    UINT message;
    LPARAM lparam;
    bool visible;
};
extern thread_local std::vector<Reached>* frame_messages;

// The window and all its descendants in the GUI font made for `dpi` (left as
// they are at the screen's DPI).
void set_dpi_font(HWND window, int dpi);

// A visible child control in the default GUI font.
HWND control(const char* cls, const char* text, DWORD style, DWORD ex_style, int x, int y, int w,
             int h, HWND parent);

// Pumps messages until nothing is pending, so paints have happened.
void pump();

// The client area as the window paints it (WM_PRINTCLIENT through PrintWindow).
class Capture {
public:
    explicit Capture(HWND window);
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;

    COLORREF at(int x, int y) const;
    int width() const { return width_; }
    int height() const { return height_; }
    bool operator==(const Capture& other) const;

private:
    int width_ = 0, height_ = 0;
    win32::UniqueMemoryDc dc_;
    win32::UniqueBitmap bitmap_;
    std::optional<win32::SelectGuard> selected_;
    std::uint32_t* bits_ = nullptr;
};

// Within a few units per channel (gradients and rounding).
bool close_to(COLORREF actual, engine::Rgb expected, int tolerance = 4);
bool close_to(COLORREF actual, COLORREF expected, int tolerance = 4);

}  // namespace engine_test
