// How skinned windows look and behave: the caption and its buttons, the
// push button in each of its states, and what reaches the screen when the
// thread's windows share one back buffer.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

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
