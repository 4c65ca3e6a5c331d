// The engine inside a GUI thread: existing and new windows, message boxes,
// button states, refusals that change nothing, and a clean life cycle.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "engine/core/load_theme.h"
#include "engine/tests/embedded_themes.h"
#include "engine/tests/engine_host.h"

namespace engine_test {
namespace {

using engine::Role;

engine::Theme theme_number(int n) {
    const Bytes bytes = theme_container(n);
    engine::Theme theme;
    EXPECT_EQ(engine::load_theme(bytes.data(), bytes.size(), theme), engine::kAttached);
    return theme;
}

// Near the bottom of a button face, where its gradient ends; clear of the
// default button's heavier border.
COLORREF face_pixel(const Capture& c, const engine::Theme& theme) {
    return c.at(c.width() / 2, c.height() - theme.border_width - 2);
}

void expect_sample_themed(const Sample& s, const engine::Theme& theme) {
    const Capture frame(s.frame);
    EXPECT_TRUE(close_to(frame.at(230, 40), theme[Role::kWindow])) << std::hex << frame.at(230, 40);

    // The opaque label takes the frame's colour from the theme too.
    const Capture label_on_frame(s.label);
    EXPECT_TRUE(close_to(label_on_frame.at(label_on_frame.width() - 2, 1), theme[Role::kWindow]));

    const Capture button(s.button);
    EXPECT_TRUE(close_to(face_pixel(button, theme), theme[Role::kButtonFace]))
        << std::hex << face_pixel(button, theme);
    EXPECT_TRUE(close_to(button.at(button.width() / 2, 0), theme[Role::kButtonBorder]));

    const Capture tab(s.tab);
    EXPECT_TRUE(close_to(tab.at(tab.width() - 5, 3), theme[Role::kTabStrip]));
    EXPECT_TRUE(close_to(tab.at(300, 150), theme[Role::kTabBody]));

    // Nothing of its own where there is no text: the tab body shows through.
    const Capture label(s.tab_label);
    EXPECT_TRUE(close_to(label.at(label.width() - 2, 1), theme[Role::kTabBody]))
        << std::hex << label.at(label.width() - 2, 1);

    const Capture tab_button(s.tab_button);
    EXPECT_TRUE(close_to(face_pixel(tab_button, theme), theme[Role::kButtonFace]));
}

TEST(Engine, ExportIsFoundByNameAndNeedsOnlySystemDlls) {
    ASSERT_NE(attach_function(), nullptr);
    auto* base = reinterpret_cast<unsigned char*>(engine_module());
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         import->Name != 0; ++import) {
        const std::string name = reinterpret_cast<const char*>(base + import->Name);
        bool system = false;
        for (const char* allowed : {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll"}) {
            system = system || lstrcmpiA(name.c_str(), allowed) == 0;
        }
        EXPECT_TRUE(system) << name;
    }
}

TEST(Engine, ExistingWindowsTakeTheDefaultTheme) {
    const engine::Theme theme = theme_number(5);
    on_fresh_thread([&] {
        const Sample s = create_sample();
        ASSERT_EQ(attach(theme_container(5)), engine::kAttached);
        pump();
        expect_sample_themed(s, theme);
        DestroyWindow(s.frame);
    });
}

TEST(Engine, WindowsCreatedAfterTheCallTakeTheTheme) {
    const engine::Theme theme = theme_number(5);
    on_fresh_thread([&] {
        const Sample first = create_sample();
        ASSERT_EQ(attach(theme_container(5)), engine::kAttached);  // the buffer is gone after this
        const Sample later = create_sample(80, 80);
        expect_sample_themed(later, theme);
        DestroyWindow(later.frame);
        DestroyWindow(first.frame);
    });
}

struct BoxPixels {
    bool seen = false;
    COLORREF background = CLR_INVALID, text_corner = CLR_INVALID, ok_face = CLR_INVALID;
    int ok_height = 0;
} box;
int box_ticks = 0;

BOOL CALLBACK find_box(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK look_at_box(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_box, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr && ++box_ticks < 200) return;
    KillTimer(nullptr, timer);
    if (dialog == nullptr) return;
    box.seen = true;
    {
        const Capture whole(dialog);
        box.background = whole.at(3, 3);
        const Capture text(GetDlgItem(dialog, 0xFFFF));
        box.text_corner = text.at(text.width() - 1, 0);
        HWND ok = GetDlgItem(dialog, IDOK);
        const Capture face(ok);
        // Between the default border (two rows) and the focus ring.
        box.ok_face = face.at(face.width() / 2, face.height() - 3);
        box.ok_height = face.height();
        PostMessageA(ok, BM_CLICK, 0, 0);
    }
}

TEST(Engine, MessageBoxCreatedAfterTheCallTakesTheTheme) {
    const engine::Theme theme = theme_number(5);
    on_fresh_thread([&] {
        const Sample s = create_sample();
        ASSERT_EQ(attach(theme_container(5)), engine::kAttached);
        box = BoxPixels{};
        box_ticks = 0;
        SetTimer(nullptr, 0, 20, look_at_box);
        MessageBoxA(nullptr, "路径选择错误", "提示", MB_OK | MB_TASKMODAL);
        ASSERT_TRUE(box.seen);
        EXPECT_TRUE(close_to(box.background, theme[Role::kDialog])) << std::hex << box.background;
        EXPECT_TRUE(close_to(box.text_corner, theme[Role::kDialog])) << std::hex << box.text_corner;
        EXPECT_TRUE(close_to(box.ok_face, theme[Role::kButtonFace])) << std::hex << box.ok_face;
        DestroyWindow(s.frame);
    });
}

struct FolderDialogLook {
    bool seen = false;
    COLORREF background = CLR_INVALID, tree = CLR_INVALID;
} folder;

int CALLBACK look_at_folder_dialog(HWND dialog, UINT message, LPARAM, LPARAM) {
    if (message != BFFM_INITIALIZED) return 0;
    folder.seen = true;
    {
        const Capture whole(dialog);
        folder.background = whole.at(3, 3);
    }
    HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
    folder.tree = static_cast<COLORREF>(SendMessageA(tree, TVM_GETBKCOLOR, 0, 0));
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return 0;
}

TEST(Engine, FolderDialogTakesTheTheme) {
    const engine::Theme theme = theme_number(5);
    on_fresh_thread([&] {
        CoInitialize(nullptr);
        const Sample s = create_sample();
        ASSERT_EQ(attach(theme_container(5)), engine::kAttached);
        folder = FolderDialogLook{};
        BROWSEINFOA request{};
        request.hwndOwner = s.frame;
        request.lpszTitle = "请选择游戏目录";
        request.ulFlags = BIF_RETURNONLYFSDIRS;
        request.lpfn = look_at_folder_dialog;
        if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&request)) CoTaskMemFree(chosen);
        ASSERT_TRUE(folder.seen);
        EXPECT_TRUE(close_to(folder.background, theme[Role::kDialog])) << std::hex << folder.background;
        EXPECT_TRUE(close_to(folder.tree, theme[Role::kField])) << std::hex << folder.tree;
        DestroyWindow(s.frame);
        CoUninitialize();
    });
}

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
    HDC dc = GetWindowDC(frame);
    const COLORREF pixel = GetPixel(dc, (window.right - window.left) / 2, (top.y - window.top) / 2);
    ReleaseDC(frame, dc);
    return pixel;
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
        ASSERT_EQ(attach(theme_container(5)), engine::kAttached);
        pump();
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

TEST(Engine, RefusedThemeLeavesWindowsUntouched) {
    const engine::Theme theme = theme_number(5);
    on_fresh_thread([&] {
        const Sample s = create_sample();
        const Capture frame_before(s.frame), button_before(s.button), tab_before(s.tab);
        Bytes broken = theme_container(5);
        broken[broken.size() / 2] ^= 0x55;
        broken[6] ^= 1;  // and a size that disagrees
        EXPECT_NE(attach(broken), engine::kAttached);
        EXPECT_EQ(attach(Bytes{}), engine::kNullTheme);
        pump();
        EXPECT_TRUE(Capture(s.frame) == frame_before);
        EXPECT_TRUE(Capture(s.button) == button_before);
        EXPECT_TRUE(Capture(s.tab) == tab_before);
        // Nor does a refusal disturb a theme in force.
        ASSERT_EQ(attach(theme_container(5)), engine::kAttached);
        EXPECT_NE(attach(broken), engine::kAttached);
        const Sample later = create_sample(60, 60);
        expect_sample_themed(later, theme);
        DestroyWindow(later.frame);
        DestroyWindow(s.frame);
    });
}

// The thread's skinned windows all paint through one reused surface: what a
// paint leaves there (pixels, colours, clipping, origin) must not show in the
// next window's, whatever their sizes and order.
TEST(Engine, ScreenShowsEachWindowsOwnPicture) {
    on_fresh_thread([&] {
        const Sample s = create_sample();
        ASSERT_EQ(attach(theme_container(5)), engine::kAttached);
        pump();
        // Largest first, then smaller ones; the transparent label moves the
        // origin while it paints its parent beneath it.
        const HWND order[] = {s.tab, s.button, s.tab_label, s.tab_button, s.label, s.tab, s.tab_label};
        for (HWND window : order) {
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            const Capture printed(window);
            HDC screen = GetDC(window);
            int differing = 0;
            // The tab's body is covered by its children: its strip only.
            const int rows = window == s.tab ? 16 : printed.height();
            for (int y = 0; y < rows; y += 3) {
                for (int x = 0; x < printed.width(); x += 5) {
                    if (!close_to(GetPixel(screen, x, y), printed.at(x, y), 0)) ++differing;
                }
            }
            ReleaseDC(window, screen);
            EXPECT_EQ(differing, 0) << "window " << window;
        }
        DestroyWindow(s.frame);
    });
}

TEST(Engine, HookAndResourcesGoWithTheLastWindow) {
    on_fresh_thread([&] {
        const long before = engine_gdi_objects();
        const Sample s = create_sample();
        ASSERT_EQ(attach(theme_container(5)), engine::kAttached);
        pump();
        EXPECT_GT(engine_gdi_objects(), before);  // brushes and font of the theme
        DestroyWindow(s.frame);
        EXPECT_EQ(engine_gdi_objects(), before);

        const Sample after = create_sample();
        const Capture frame(after.frame);
        EXPECT_TRUE(close_to(frame.at(230, 40), GetSysColor(COLOR_BTNFACE), 0))
            << "a window created after the last one went is still skinned";
        DestroyWindow(after.frame);
    });
}

TEST(Engine, ThreadEndingReleasesItsSkin) {
    const long before = engine_gdi_objects();
    on_fresh_thread([&] { ASSERT_EQ(attach(theme_container(5)), engine::kAttached); });
    EXPECT_EQ(engine_gdi_objects(), before);
}

TEST(Engine, NoGdiObjectLeaksOverHundredWindows) {
    on_fresh_thread([&] {
        const Sample keeper = create_sample();
        ASSERT_EQ(attach(theme_container(5)), engine::kAttached);
        pump();
        const long settled = engine_gdi_objects();
        for (int i = 0; i < 100; ++i) {
            const Sample s = create_sample(20 + i % 10, 20 + i % 7);
            SendMessageA(s.button, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
            SendMessageA(s.tab_button, BM_SETSTATE, TRUE, 0);
            RedrawWindow(s.frame, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            { const Capture c(s.tab_label); }
            DestroyWindow(s.frame);
            pump();
        }
        EXPECT_EQ(engine_gdi_objects(), settled);
        DestroyWindow(keeper.frame);
    });
}

TEST(Engine, EveryThemeAttaches) {
    on_fresh_thread([&] {
        const Sample s = create_sample();
        for (int n = 1; n <= kThemeCount; ++n) {
            ASSERT_EQ(attach(theme_container(n)), engine::kAttached) << n;
            const engine::Theme theme = theme_number(n);
            const Capture frame(s.frame);
            EXPECT_TRUE(close_to(frame.at(230, 40), theme[Role::kWindow])) << "theme " << n;
        }
        DestroyWindow(s.frame);
    });
}

}  // namespace
}  // namespace engine_test
