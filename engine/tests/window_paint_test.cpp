// How skinned windows look and behave: the caption and its buttons, the
// push button in each of its states, and what reaches the screen when the
// thread's windows share one back buffer.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/tests/embedded_themes.h"
#include "engine/tests/engine_host.h"
#include "engine/tests/window_checks.h"
#include "win32/gdi.h"

namespace engine_test {
namespace {

using engine::Role;

// The caption band's point where the frame answers `hit`, scanning from the right.
bool find_hit(HWND frame, LRESULT hit, POINT& found) {
    RECT window, client;
    GetWindowRect(frame, &window);
    GetClientRect(frame, &client);
    POINT top{0, 0};
    ClientToScreen(frame, &top);
    const int y = (window.top + top.y) / 2 + 1;
    for (int x = window.right - 2; x > window.left; --x) {
        if (SendMessageA(frame, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == hit) {
            found = POINT{x, y};
            return true;
        }
    }
    return false;
}

COLORREF caption_pixel(HWND frame) {
    RECT window;
    GetWindowRect(frame, &window);
    POINT top{0, 0};
    ClientToScreen(frame, &top);
    const win32::WindowDc dc(frame);
    return GetPixel(dc.get(), (window.right - window.left) / 2, (top.y - window.top) / 2);
}

void click_caption_button(HWND frame, POINT screen_point) {
    SendMessageA(frame, WM_NCLBUTTONDOWN, SendMessageA(frame, WM_NCHITTEST, 0, MAKELPARAM(screen_point.x, screen_point.y)),
                 MAKELPARAM(screen_point.x, screen_point.y));
    POINT client = screen_point;
    ScreenToClient(frame, &client);
    SendMessageA(frame, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    pump();
}

TEST(Engine, CaptionTakesTheThemeAndItsButtonsStillWork) {
    const engine::Theme theme = theme_number(5);
    on_fresh_thread([&] {
        const Sample s = create_sample();
        ASSERT_EQ(attach(theme_container(5)), engine::kAttached);
        RedrawWindow(s.frame, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        const COLORREF caption = caption_pixel(s.frame);
        const auto halfway = [](engine::Rgb a, engine::Rgb b) {
            return engine::Rgb{static_cast<std::uint8_t>((a.r + b.r) / 2), static_cast<std::uint8_t>((a.g + b.g) / 2),
                               static_cast<std::uint8_t>((a.b + b.b) / 2)};
        };
        // Active, or inactive (halfway to the window colour) when the test
        // window is not in the foreground.
        EXPECT_TRUE(close_to(caption, theme[Role::kCaption]) ||
                    close_to(caption, halfway(theme[Role::kCaption], theme[Role::kWindow])))
            << std::hex << caption;

        POINT minimize, close, middle;
        ASSERT_TRUE(find_hit(s.frame, HTMINBUTTON, minimize));
        ASSERT_TRUE(find_hit(s.frame, HTCLOSE, close));
        EXPECT_GT(close.x, minimize.x);
        RECT window;
        GetWindowRect(s.frame, &window);
        middle = POINT{(window.left + window.right) / 2, close.y};
        EXPECT_EQ(SendMessageA(s.frame, WM_NCHITTEST, 0, MAKELPARAM(middle.x, middle.y)), HTCAPTION);
        // The fixed border sizes nothing, on either side or at the bottom.
        for (const POINT edge : {POINT{window.left, middle.y + 40}, POINT{middle.x, window.bottom - 1}})
            EXPECT_EQ(SendMessageA(s.frame, WM_NCHITTEST, 0, MAKELPARAM(edge.x, edge.y)), HTBORDER);

        click_caption_button(s.frame, minimize);
        EXPECT_TRUE(IsIconic(s.frame));
        ShowWindow(s.frame, SW_RESTORE);
        pump();
        ASSERT_TRUE(find_hit(s.frame, HTCLOSE, close));
        click_caption_button(s.frame, close);
        EXPECT_FALSE(IsWindow(s.frame));
        if (IsWindow(s.frame)) DestroyWindow(s.frame);
    });
}

// The caption band as the window DC shows it.
std::vector<COLORREF> band_pixels(HWND frame) {
    RECT window;
    GetWindowRect(frame, &window);
    POINT top{0, 0};
    ClientToScreen(frame, &top);
    const win32::WindowDc dc(frame);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < top.y - window.top; ++y)
        for (int x = 0; x < window.right - window.left; x += 2) pixels.push_back(GetPixel(dc.get(), x, y));
    return pixels;
}

// What DefWindowProc (behind the sample frame's own procedure) gets of a
// message that it could answer by drawing the system's caption.
enum class Reaches { kNothing, kHidden, kWithMinusOne };

struct FrameMessage {
    const char* name;
    UINT message;
    WPARAM wparam;
    LPARAM (*lparam)(HWND frame);
    Reaches reaches;
};

LPARAM none(HWND) { return 0; }
template <LRESULT hit>
LPARAM on(HWND frame) {
    POINT point{};
    find_hit(frame, hit, point);
    return MAKELPARAM(point.x, point.y);
}

class FrameMessages : public ::testing::TestWithParam<FrameMessage> {};

TEST_P(FrameMessages, NeverLetDefWindowProcDrawTheCaption) {
    const FrameMessage& row = GetParam();
    on_fresh_thread([&] {
        const Sample s = create_sample();
        ASSERT_EQ(attach_and_pump(5), engine::kAttached);
        if (row.message == WM_NCMOUSELEAVE) SendMessageA(s.frame, WM_NCMOUSEMOVE, HTCLOSE, on<HTCLOSE>(s.frame));
        std::vector<Reached> reached;
        frame_messages = &reached;
        // The system menu's loop ends at once.
        if (row.message == 0x313) PostMessageA(s.frame, WM_CANCELMODE, 0, 0);
        // WM_SETCURSOR names the window the mouse is over.
        const WPARAM wparam = row.message == WM_SETCURSOR ? reinterpret_cast<WPARAM>(s.frame) : row.wparam;
        SendMessageA(s.frame, row.message, wparam, row.lparam(s.frame));
        frame_messages = nullptr;
        // The band shows what the engine draws for the state it is in now.
        const std::vector<COLORREF> shown = band_pixels(s.frame);
        RedrawWindow(s.frame, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(shown, band_pixels(s.frame));
        std::erase_if(reached, [&](const Reached& r) { return r.message != row.message; });
        ASSERT_EQ(reached.size(), row.reaches == Reaches::kNothing ? 0u : 1u);
        if (row.reaches == Reaches::kHidden) {
            EXPECT_FALSE(reached[0].visible);
        } else if (row.reaches == Reaches::kWithMinusOne) {
            EXPECT_EQ(reached[0].lparam, -1);
        }
        EXPECT_TRUE(IsWindowVisible(s.frame));
        DestroyWindow(s.frame);
    });
}

INSTANTIATE_TEST_SUITE_P(
    Table, FrameMessages,
    ::testing::Values(
        FrameMessage{"ncpaint", WM_NCPAINT, 1, none, Reaches::kNothing},
        FrameMessage{"activate", WM_NCACTIVATE, TRUE, none, Reaches::kWithMinusOne},
        FrameMessage{"deactivate", WM_NCACTIVATE, FALSE, none, Reaches::kWithMinusOne},
        FrameMessage{"frame_0xAE", 0xAE, 0, none, Reaches::kNothing},
        FrameMessage{"frame_0xAF", 0xAF, 0, none, Reaches::kNothing},
        FrameMessage{"settext", WM_SETTEXT, 0, [](HWND) { return reinterpret_cast<LPARAM>("标题"); }, Reaches::kHidden},
        FrameMessage{"seticon", WM_SETICON, ICON_SMALL,
                     [](HWND) { return reinterpret_cast<LPARAM>(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION))); },
                     Reaches::kHidden},
        FrameMessage{"setcursor_caption", WM_SETCURSOR, 0, [](HWND) { return MAKELPARAM(HTCAPTION, WM_MOUSEMOVE); },
                     Reaches::kHidden},
        FrameMessage{"system_menu_0x313", 0x313, 0, on<HTCAPTION>, Reaches::kHidden},
        FrameMessage{"hover_close", WM_NCMOUSEMOVE, HTCLOSE, on<HTCLOSE>, Reaches::kNothing},
        FrameMessage{"hover_minimize", WM_NCMOUSEMOVE, HTMINBUTTON, on<HTMINBUTTON>, Reaches::kNothing},
        FrameMessage{"leave", WM_NCMOUSELEAVE, 0, none, Reaches::kNothing}),
    [](const auto& info) { return std::string(info.param.name); });

struct ButtonState {
    const char* name;
    void (*enter)(HWND button);
    Role face;
    Role border;
};

class ButtonStates : public ::testing::TestWithParam<ButtonState> {};

TEST_P(ButtonStates, PaintFromTheTheme) {
    const engine::Theme theme = theme_number(5);
    on_fresh_thread([&] {
        const Sample s = create_sample();
        ASSERT_EQ(attach_and_pump(5), engine::kAttached);
        GetParam().enter(s.button);
        const Capture c(s.button);  // at once: a pump could end the hover
        EXPECT_TRUE(close_to(face_pixel(c, theme), theme[GetParam().face])) << std::hex << face_pixel(c, theme);
        EXPECT_TRUE(close_to(c.at(c.width() / 2, 0), theme[GetParam().border])) << std::hex << c.at(c.width() / 2, 0);
        DestroyWindow(s.frame);
    });
}

INSTANTIATE_TEST_SUITE_P(
    Table, ButtonStates,
    ::testing::Values(
        ButtonState{"normal", [](HWND) {}, Role::kButtonFace, Role::kButtonBorder},
        ButtonState{"hot", [](HWND b) { SendMessageA(b, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); },
                    Role::kButtonHotFace, Role::kButtonHotBorder},
        ButtonState{"pressed", [](HWND b) { SendMessageA(b, BM_SETSTATE, TRUE, 0); },
                    Role::kButtonPressedFace, Role::kButtonPressedBorder},
        ButtonState{"disabled", [](HWND b) { EnableWindow(b, FALSE); }, Role::kButtonDisabledFace,
                    Role::kButtonDisabledBorder},
        ButtonState{"default", [](HWND b) { SendMessageA(b, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE); },
                    Role::kButtonFace, Role::kButtonDefaultBorder},
        ButtonState{"focused", [](HWND b) { SetFocus(b); }, Role::kButtonFace, Role::kButtonBorder}),
    [](const auto& info) { return std::string(info.param.name); });

// The thread's skinned windows all paint through one reused surface: what a
// paint leaves there (pixels, colours, clipping, origin) must not show in the
// next window's, whatever their sizes and order.
TEST(Engine, ScreenShowsEachWindowsOwnPicture) {
    on_fresh_thread([&] {
        const Sample s = create_sample();
        ASSERT_EQ(attach_and_pump(5), engine::kAttached);
        // Largest first, then smaller ones; the transparent label moves the
        // origin while it paints its parent beneath it.
        const HWND order[] = {s.tab, s.button, s.tab_label, s.tab_button, s.label, s.tab, s.tab_label};
        for (HWND window : order) {
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            const Capture printed(window);
            const win32::WindowDc screen(window, win32::WindowDc::kClientArea);
            int differing = 0;
            // The tab's body is covered by its children: its strip only.
            const int rows = window == s.tab ? 16 : printed.height();
            for (int y = 0; y < rows; y += 3) {
                for (int x = 0; x < printed.width(); x += 5) {
                    if (!close_to(GetPixel(screen.get(), x, y), printed.at(x, y), 0)) ++differing;
                }
            }
            EXPECT_EQ(differing, 0) << "window " << window;
        }
        DestroyWindow(s.frame);
    });
}

}  // namespace
}  // namespace engine_test
